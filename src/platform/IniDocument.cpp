#include "IniDocument.h"

#include "FileCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// UTF-8 where the bytes are UTF-8; otherwise the line was written in Latin-1 (or something
// like it), and each byte is one character.
QString DecodeLine(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    return text.toUtf8() == bytes ? text : QString::fromLatin1(bytes);
}
} // namespace

bool IniDocument::Load(const QString& path, bool trimValues, QString* error) {
    m_byteOrderMark.clear();
    m_lines.clear();
    m_sections.clear();
    QFile file(path);
    if (!file.exists()) {
        return true;
    }
    QByteArray data;
    if (file.open(QIODevice::ReadOnly)) {
        data = file.readAll();
    }
    // A file read in part would be written back in part.
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    Parse(data, trimValues);
    return true;
}

bool IniDocument::WriteWhole(const QString& path, const QByteArray& data, QString* error) {
    // The copies' own temporary file: a save cut short by a kill leaves nothing that the next
    // write into the folder does not remove.
    StagedFile file;
    QString reason;
    if (!file.Stage(path, data, &reason) || !file.Commit(&reason)) {
        if (error) {
            *error = reason;
        }
        return false;
    }
    return true;
}

void IniDocument::Parse(const QByteArray& data, bool trimValues) {
    m_lines.clear();
    m_sections.clear();
    static const QByteArray kByteOrderMark("\xEF\xBB\xBF");
    m_byteOrderMark = data.startsWith(kByteOrderMark) ? kByteOrderMark : QByteArray();
    const QList<QByteArray> pieces = data.mid(m_byteOrderMark.size()).split('\n');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        Line line{pieces[i], QByteArrayLiteral("\n")};
        if (i == pieces.size() - 1) {
            if (line.bytes.isEmpty()) {
                break; // the file ended with a line break
            }
            line.ending.clear();
        }
        if (line.bytes.endsWith('\r')) {
            line.bytes.chop(1);
            line.ending.prepend('\r');
        }
        m_lines.append(line);
    }

    Section* current = nullptr;
    for (int n = 0; n < m_lines.size(); ++n) {
        const QString text = DecodeLine(m_lines[n].bytes);
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty()) {
            continue;
        }
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            const QString name = trimmed.mid(1, trimmed.size() - 2).trimmed();
            current = findSection(name);
            if (!current) {
                m_sections.append(Section{name, {}, n});
                current = &m_sections.last();
            }
            current->lastLine = n;
            continue;
        }
        if (!current) {
            continue; // belongs to no section, but stays in the file
        }
        current->lastLine = n;
        if (trimmed.startsWith(QLatin1Char(';'))) {
            continue; // a comment
        }
        const qsizetype eq = text.indexOf(QLatin1Char('='));
        Entry entry;
        entry.line = n;
        if (eq < 0) {
            entry.key = trimmed;
            entry.kind = Entry::Kind::KeyOnly;
        } else {
            entry.key = text.left(eq).trimmed();
            entry.value = text.mid(eq + 1);
            if (trimValues) {
                entry.value = entry.value.trimmed();
            }
        }
        bool replaced = false;
        for (Entry& existing : current->entries) {
            if (existing.key.compare(entry.key, Qt::CaseInsensitive) == 0) {
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
    QByteArray out = m_byteOrderMark;
    for (const Line& line : m_lines) {
        out += line.bytes;
        out += line.ending;
    }
    return out;
}

QByteArray IniDocument::lineEnding() const {
    for (const Line& line : m_lines) {
        if (!line.ending.isEmpty()) {
            return line.ending;
        }
    }
    return QByteArrayLiteral("\n");
}

int IniDocument::insertLine(int after, const QByteArray& bytes) {
    const QByteArray ending = lineEnding();
    if (after >= 0 && m_lines[after].ending.isEmpty()) {
        m_lines[after].ending = ending; // it was the last line, without a line break
    }
    const int at = after + 1;
    m_lines.insert(at, Line{bytes, ending});
    for (Section& section : m_sections) {
        section.lastLine += section.lastLine >= at ? 1 : 0;
        for (Entry& entry : section.entries) {
            entry.line += entry.line >= at ? 1 : 0;
        }
    }
    return at;
}

std::optional<QString> IniDocument::Value(const QString& section, const QString& key) const {
    if (const Section* s = FindSection(section)) {
        for (const Entry& entry : s->entries) {
            if (entry.key.compare(key, Qt::CaseInsensitive) == 0) {
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
        // A new section goes at the end, after a blank line.
        int last = static_cast<int>(m_lines.size()) - 1;
        if (last >= 0 && !DecodeLine(m_lines[last].bytes).trimmed().isEmpty()) {
            last = insertLine(last, QByteArray());
        }
        const int header = insertLine(last, (QLatin1Char('[') + section + QLatin1Char(']')).toUtf8());
        m_sections.append(Section{section, {}, header});
        s = &m_sections.last();
    }
    for (Entry& entry : s->entries) {
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0) {
            // Only the value changes: the key is written as it was, spacing and all.
            QByteArray& bytes = m_lines[entry.line].bytes;
            const qsizetype eq = entry.kind == Entry::Kind::Pair ? bytes.indexOf('=') : -1;
            bytes = (eq < 0 ? bytes + '=' : bytes.left(eq + 1)) + value.toUtf8();
            entry.value = value;
            entry.kind = Entry::Kind::Pair;
            return;
        }
    }
    const int line = insertLine(s->lastLine, (key + QLatin1Char('=') + value).toUtf8());
    s = findSection(section); // the lines moved; the section itself did not
    s->lastLine = line;
    s->entries.append(Entry{key, value, Entry::Kind::Pair, line});
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
