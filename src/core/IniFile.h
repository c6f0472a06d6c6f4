#pragma once

#include <QString>
#include <QStringList>

// One INI file of sections and key=value lines. It remembers the last section, key and value,
// so a caller can name a section once and then write key after key; "NA" in place of a section,
// key or value keeps the remembered one. Nothing is cached: every call goes to the file.
class IniFile {
public:
    IniFile();

    QStringList SectionGet(const QString& section);
    QString KeyGet(const QString& section, const QString& keyName, const QString& defaultValue);
    void KeySave(const QString& keyValue, const QString& section, const QString& keyName);

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
    QString m_configName;
    QString m_section;
    QString m_keyName;
    QString m_keyValue;
    QString m_defaultValue;
};
