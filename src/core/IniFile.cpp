#include "IniFile.h"

#include "ProgramState.h"
#include "platform/IniDocument.h"
#include "platform/ProgramFolder.h"

namespace {
const QString kKeep = QStringLiteral("NA");

// The profile functions answer from buffers of fixed size; so do we.
constexpr int kSectionBuffer = 2048;
constexpr int kValueLimit = 255;

QString StripQuotes(const QString& value) {
    if (value.size() >= 2 && ((value.startsWith(u'"') && value.endsWith(u'"')) ||
                              (value.startsWith(u'\'') && value.endsWith(u'\'')))) {
        return value.mid(1, value.size() - 2);
    }
    return value;
}
} // namespace

IniFile::IniFile() : m_configName(Globals().IniPath) {}

QStringList IniFile::SectionGet(const QString& section) {
    if (!section.isEmpty()) {
        m_section = section;
    }
    if (m_section.isEmpty()) {
        return {};
    }
    IniDocument document;
    document.Load(NativePath(m_configName), true);
    const IniDocument::Section* found = document.FindSection(m_section);
    if (!found) {
        return {};
    }
    // The section arrives as NUL-separated lines with a final NUL that leaves an empty last
    // item; a section too long for the buffer is cut short, without that final NUL.
    QString buffer;
    for (const IniDocument::Entry& entry : found->entries) {
        if (entry.kind == IniDocument::Entry::Kind::Pair) {
            buffer += entry.key + QLatin1Char('=') + entry.value + QChar(u'\0');
        } else if (entry.kind == IniDocument::Entry::Kind::KeyOnly) {
            buffer += entry.key + QChar(u'\0');
        }
    }
    if (buffer.isEmpty()) {
        return {};
    }
    if (buffer.size() > kSectionBuffer - 2) {
        buffer.truncate(kSectionBuffer - 2);
    }
    return buffer.split(QChar(u'\0'));
}

QString IniFile::KeyGet(const QString& section, const QString& keyName, const QString& defaultValue) {
    if (section != kKeep) {
        m_section = section;
    }
    if (keyName != kKeep) {
        m_keyName = keyName;
    }
    m_defaultValue = defaultValue;
    IniDocument document;
    document.Load(NativePath(m_configName), true);
    const std::optional<QString> value = document.Value(m_section, m_keyName);
    const QString result = (value ? StripQuotes(*value) : defaultValue).left(kValueLimit);
    m_keyValue = result;
    return m_keyValue;
}

void IniFile::KeySave(const QString& keyValue, const QString& section, const QString& keyName) {
    if (section != kKeep) {
        m_section = section;
    }
    if (keyName != kKeep) {
        m_keyName = keyName;
    }
    if (keyValue != kKeep) {
        m_keyValue = keyValue;
    }
    const QString path = NativePath(m_configName);
    IniDocument document;
    if (!document.Load(path, true)) {
        return; // write failures are ignored
    }
    document.SetValue(m_section, m_keyName, m_keyValue);
    document.Save(path);
}
