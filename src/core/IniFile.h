#pragma once

#include "platform/IniDocument.h"

#include <QString>
#include <QStringList>

#include <optional>

// One INI file of sections and key=value lines. It remembers the last section, key and value,
// so a caller can name a section once and then write key after key; "NA" in place of a section,
// key or value keeps the remembered one. Nothing is cached: every call goes to the file, and a
// save that changes nothing writes nothing.
class IniFile {
public:
    IniFile();

    QStringList SectionGet(const QString& section);
    QString KeyGet(const QString& section, const QString& keyName, const QString& defaultValue);
    void KeySave(const QString& keyValue, const QString& section, const QString& keyName);

    // Many saves as one write: between BeginBatch and EndBatch the saves (and reads) work on the
    // file read once into memory; EndBatch writes it whole, once, and only when it changed.
    void BeginBatch();
    void EndBatch();

    void setKeyValue(const QString& value) { m_keyValue = value; }
    QString KeyValue() const { return m_keyValue; }
    void setKeyName(const QString& name) { m_keyName = name; }
    QString KeyName() const { return m_keyName; }
    void setSection(const QString& section) { m_section = section; }
    QString Section() const { return m_section; }
    void setConfigName(const QString& path) { m_configName = path; }
    QString ConfigName() const { return m_configName; }
    QString DefaultValue() const { return m_defaultValue; }

private:
    // The file's document: the batch's, or the file as it is now.
    const IniDocument& current(IniDocument& loaded) const;

    QString m_configName;
    QString m_section;
    QString m_keyName;
    QString m_keyValue;
    QString m_defaultValue;
    std::optional<IniDocument> m_batch;
    QByteArray m_batchOnDisk; // the file as the batch found it
    QString m_batchPath;
    bool m_batchReadable = false;
};
