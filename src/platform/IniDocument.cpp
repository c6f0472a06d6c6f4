#include "IniDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool IniDocument::Load(const QString& path, bool trimValues, QString* error) {
    m_preamble.clear();
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
    m_preamble.clear();
    m_sections.clear();
    Section* current = nullptr;
    const QString text = QString::fromUtf8(data);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty()) {
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
            m_preamble.append(trimmed); // belongs to no section, but stays in the file
            continue;
        }
        if (trimmed.startsWith(QLatin1Char(';'))) {
            current->entries.append(Entry{trimmed, {}, Entry::Kind::Comment});
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        Entry entry;
        if (eq < 0) {
            entry.key = trimmed;
            entry.kind = Entry::Kind::KeyOnly;
        } else {
            entry.key = line.left(eq).trimmed();
            entry.value = line.mid(eq + 1);
            if (trimValues) {
                entry.value = entry.value.trimmed();
            }
        }
        bool replaced = false;
        for (Entry& existing : current->entries) {
            if (existing.kind != Entry::Kind::Comment &&
                existing.key.compare(entry.key, Qt::CaseInsensitive) == 0) {
                existing = entry; // a repeated key: the last line wins
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
    for (const QString& line : m_preamble) {
        out += line + QLatin1Char('\n');
    }
    if (!m_preamble.isEmpty()) {
        out += QLatin1Char('\n');
    }
    for (const Section& section : m_sections) {
        out += QLatin1Char('[') + section.name + QStringLiteral("]\n");
        for (const Entry& entry : section.entries) {
            out += entry.kind == Entry::Kind::Pair ? entry.key + QLatin1Char('=') + entry.value : entry.key;
            out += QLatin1Char('\n');
        }
        out += QLatin1Char('\n');
    }
    return out.toUtf8();
}

std::optional<QString> IniDocument::Value(const QString& section, const QString& key) const {
    if (const Section* s = FindSection(section)) {
        for (const Entry& entry : s->entries) {
            if (entry.kind != Entry::Kind::Comment && entry.key.compare(key, Qt::CaseInsensitive) == 0) {
                // A key without "=" has no value: the reader gets its default.
                return entry.kind == Entry::Kind::Pair ? std::optional<QString>(entry.value) : std::nullopt;
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
        if (entry.kind != Entry::Kind::Comment && entry.key.compare(key, Qt::CaseInsensitive) == 0) {
            entry.value = value;
            entry.kind = Entry::Kind::Pair;
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
