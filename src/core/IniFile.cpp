#include "IniFile.h"

#include "ProgramState.h"
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

const IniDocument& IniFile::current(IniDocument& loaded) const {
    if (m_batch) {
        return *m_batch;
    }
    loaded.Load(NativePath(m_configName), true);
    return loaded;
}

void IniFile::BeginBatch() {
    m_batchPath = NativePath(m_configName);
    m_batch.emplace();
    m_batchReadable = m_batch->Load(m_batchPath, true);
    m_batchOnDisk = m_batch->Serialize();
}

void IniFile::EndBatch() {
    if (!m_batch) {
        return;
    }
    const QByteArray data = m_batch->Serialize();
    m_batch.reset();
    // A file that could not be read is not written over; write failures are ignored.
    if (m_batchReadable && data != m_batchOnDisk) {
        IniDocument::WriteWhole(m_batchPath, data);
    }
}

QStringList IniFile::SectionGet(const QString& section) {
    if (!section.isEmpty()) {
        m_section = section;
    }
    if (m_section.isEmpty()) {
        return {};
    }
    IniDocument loaded;
    const IniDocument::Section* found = current(loaded).FindSection(m_section);
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
    IniDocument loaded;
    const std::optional<QString> value = current(loaded).Value(m_section, m_keyName);
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
    // A single save is a batch of one: written whole, and not when nothing changes.
    const bool single = !m_batch;
    if (single) {
        BeginBatch();
    }
    m_batch->SetValue(m_section, m_keyName, m_keyValue);
    if (single) {
        EndBatch();
    }
}
