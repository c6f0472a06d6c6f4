#include "IniDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QSaveFile>

bool IniDocument::Load(const QString& path, bool trimValues, QString* error) {
    m_sections.clear();
    QFile file(path);
    if (!file.exists()) {
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    Parse(file.readAll(), trimValues);
    return true;
}

bool IniDocument::Save(const QString& path, QString* error) const {
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        if (error) {
            *error = QStringLiteral("The folder %1 could not be created.").arg(info.absolutePath());
        }
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    const QByteArray data = Serialize();
    if (file.write(data) != data.size() || !file.commit()) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    return true;
}

void IniDocument::Parse(const QByteArray& data, bool trimValues) {
    m_sections.clear();
    Section* current = nullptr;
    const QString text = QString::fromUtf8(data);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';'))) {
            continue;
        }
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            const QString name = trimmed.mid(1, trimmed.size() - 2).trimmed();
            current = findSection(name);
            if (!current) {
                m_sections.append(Section{name, {}});
                current = &m_sections.last();
            }
            continue;
        }
        if (!current) {
            continue; // lines before the first section belong to no section
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        Entry entry;
        if (eq < 0) {
            entry.key = trimmed;
        } else {
            entry.key = line.left(eq).trimmed();
            entry.value = line.mid(eq + 1);
            if (trimValues) {
                entry.value = entry.value.trimmed();
            }
        }
        bool replaced = false;
        for (Entry& existing : current->entries) {
            if (existing.key.compare(entry.key, Qt::CaseInsensitive) == 0) {
                existing.value = entry.value; // a repeated key: the last line wins
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            current->entries.append(entry);
        }
    }
}

QByteArray IniDocument::Serialize() const {
    QString out;
    for (const Section& section : m_sections) {
        out += QLatin1Char('[') + section.name + QStringLiteral("]\n");
        for (const Entry& entry : section.entries) {
            out += entry.key + QLatin1Char('=') + entry.value + QLatin1Char('\n');
        }
        out += QLatin1Char('\n');
    }
    return out.toUtf8();
}

std::optional<QString> IniDocument::Value(const QString& section, const QString& key) const {
    if (const Section* s = FindSection(section)) {
        for (const Entry& entry : s->entries) {
            if (entry.key.compare(key, Qt::CaseInsensitive) == 0) {
                return entry.value;
            }
        }
    }
    return std::nullopt;
}

void IniDocument::SetValue(const QString& section, const QString& key, const QString& value) {
    Section* s = findSection(section);
    if (!s) {
        m_sections.append(Section{section, {}});
        s = &m_sections.last();
    }
    for (Entry& entry : s->entries) {
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0) {
            entry.value = value;
            return;
        }
    }
    s->entries.append(Entry{key, value});
}

const IniDocument::Section* IniDocument::FindSection(const QString& name) const {
    for (const Section& section : m_sections) {
        if (section.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &section;
        }
    }
    return nullptr;
}

IniDocument::Section* IniDocument::findSection(const QString& name) {
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}
