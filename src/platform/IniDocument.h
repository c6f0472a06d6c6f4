#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One INI file in memory: "[Section]" headers and "key=value" lines, in file order. Section and
// key names compare without regard to case, as the private-profile functions do. Values are
// kept as written; the caller decides how they are escaped.
//
// The file's own lines are kept byte for byte: a save rewrites only the lines whose values
// changed and adds the new ones, so comments, blank lines, spacing and text in another
// character set survive. A line that is not UTF-8 is read as Latin-1. A UTF-8 byte-order mark
// that an editor put before the first line is no part of it, and is written back as it was.
class IniDocument {
public:
    struct Entry {
        // A line without "=" names a key but gives it no value.
        enum class Kind { Pair, KeyOnly };
        QString key;
        QString value;
        Kind kind = Kind::Pair;
        int line = -1; // the line that holds the value (a repeated key: the last one)
    };
    struct Section {
        QString name;
        QList<Entry> entries;
        int lastLine = -1; // the last line that belongs to the section
    };

    // A missing file is an empty document and succeeds; an unreadable one fails.
    bool Load(const QString& path, bool trimValues, QString* error = nullptr);
    // Writes serialized bytes as a new file beside the old one, synced and renamed over it, so
    // a failure leaves the old file whole.
    static bool WriteWhole(const QString& path, const QByteArray& data, QString* error = nullptr);

    void Parse(const QByteArray& data, bool trimValues);
    QByteArray Serialize() const;

    std::optional<QString> Value(const QString& section, const QString& key) const;
    void SetValue(const QString& section, const QString& key, const QString& value);
    const Section* FindSection(const QString& name) const;
    const QList<Section>& Sections() const { return m_sections; }
    bool IsEmpty() const { return m_sections.isEmpty(); }

private:
    struct Line {
        QByteArray bytes;  // without its line break
        QByteArray ending; // "\n", "\r\n", or nothing on a last line without one
    };
    Section* findSection(const QString& name);
    int insertLine(int after, const QByteArray& bytes);
    QByteArray lineEnding() const;

    QByteArray m_byteOrderMark;
    QList<Line> m_lines;
    QList<Section> m_sections;
};
