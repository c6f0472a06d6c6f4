#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One INI file in memory: "[Section]" headers and "key=value" lines, in file order. Section and
// key names compare without regard to case, as the private-profile functions do. Values are
// kept as written; the caller decides how they are escaped.
class IniDocument {
public:
    struct Entry {
        // A line without "=" names a key but gives it no value; a comment line is kept as written
        // (in key) so that saving a hand-written file does not lose it.
        enum class Kind { Pair, KeyOnly, Comment };
        QString key;
        QString value;
        Kind kind = Kind::Pair;
    };
    struct Section {
        QString name;
        QList<Entry> entries;
    };

    // A missing file is an empty document and succeeds; an unreadable one fails.
    bool Load(const QString& path, bool trimValues, QString* error = nullptr);
    // Writes a new file beside the old one and renames it over it, so a failure leaves the
    // old file whole.
    bool Save(const QString& path, QString* error = nullptr) const;

    void Parse(const QByteArray& data, bool trimValues);
    QByteArray Serialize() const;

    std::optional<QString> Value(const QString& section, const QString& key) const;
    void SetValue(const QString& section, const QString& key, const QString& value);
    const Section* FindSection(const QString& name) const;
    const QList<Section>& Sections() const { return m_sections; }
    bool IsEmpty() const { return m_sections.isEmpty(); }

private:
    Section* findSection(const QString& name);
    QStringList m_preamble; // lines before the first section, kept as written
    QList<Section> m_sections;
};
