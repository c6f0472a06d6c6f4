#include "PackSettings.h"

#include "TeacherSettings.h"
#include "platform/Recordset.h"
#include "platform/SettingsStore.h"

#include <QRegularExpression>

namespace {
const QString kTimeTable = QStringLiteral("Settings\\TimeTable");
const QString kCarriedTimeTable = QStringLiteral("\\Settings\\TimeTable");

// The sections whose rows may be written back, in the spelling the store is given.
const QStringList& RestorableSections() {
    static const QStringList sections{QStringLiteral("Settings"),
                                      QStringLiteral("Settings\\Dates"),
                                      QStringLiteral("Settings\\Effects1"),
                                      QStringLiteral("Settings\\Effects2"),
                                      QStringLiteral("Settings\\HolidayNames"),
                                      kTimeTable};
    return sections;
}

PackError DatabaseError(const Recordset& keys) {
    return {75, QStringLiteral("Path/File access error\r\n\r\n") + keys.LastError()};
}
} // namespace

QList<RegKeyRow> CollectPackedSettings(int teacher, const QString& packDate) {
    QList<RegKeyRow> rows;
    const QString effects = EffectsSection(teacher);
    const QStringList sections{QStringLiteral("Settings"), QStringLiteral("Settings\\Dates"), effects,
                               QStringLiteral("Settings\\HolidayNames"), kTimeTable};
    for (const QString& section : sections) {
        const QString carried = section == kTimeTable ? kCarriedTimeTable : section;
        bool dated = false;
        for (const auto& [key, value] : GetAllSettings(AppKey, section)) {
            const bool isPackDate =
                section == effects && key.compare(QLatin1String("PackDate"), Qt::CaseInsensitive) == 0;
            dated = dated || isPackDate;
            rows.append({carried, key, isPackDate ? packDate : value});
        }
        // A first pack has no date stored yet: it goes where saving it would have put it.
        if (section == effects && !dated) {
            rows.append({carried, QStringLiteral("PackDate"), packDate});
        }
    }
    return rows;
}

bool SaveSettingsToDataBase(Recordset& keys, int teacher, const QString& packDate, PackError* error) {
    const QList<RegKeyRow> rows = CollectPackedSettings(teacher, packDate);
    if (rows.size() > kMaxRegKeyRows) {
        // The table holds at most 300 settings; the 301st is where the pack stops.
        *error = {9, QStringLiteral("Subscript out of range\r\n\r\nThere are more than %1 settings to carry.")
                         .arg(kMaxRegKeyRows)};
        return false;
    }
    if (!keys.IsOpen() && !keys.Refresh()) {
        *error = DatabaseError(keys);
        return false;
    }
    // One transaction: the table holds either the old rows or all the new ones.
    if (!keys.BeginTrans()) {
        *error = DatabaseError(keys);
        return false;
    }
    auto fail = [&keys, error] {
        *error = DatabaseError(keys);
        keys.RollbackTrans();
        return false;
    };
    const int n = keys.RecordCount();
    if (n > 1) {
        keys.MoveLast();
        for (int i = 0; i < n; ++i) {
            if (!keys.Delete()) {
                return fail();
            }
            keys.MoveNext();
            if (keys.AtEOF()) {
                keys.MovePrevious();
            }
        }
    }
    for (const RegKeyRow& row : rows) {
        if (!keys.AddNew() || !keys.setField(QStringLiteral("Section"), row.section) ||
            !keys.setField(QStringLiteral("Key"), row.key) ||
            !keys.setField(QStringLiteral("Value"), row.value) || !keys.Update()) {
            return fail();
        }
    }
    if (!keys.CommitTrans()) {
        return fail();
    }
    return true;
}

QString RestoredSection(const QString& section, const QString& key) {
    // Only plain key names reach the settings file: nothing that could end a line, open a
    // section or split a key from its value.
    static const QRegularExpression plainKey(QStringLiteral("^[A-Za-z0-9_.-]+(?: [A-Za-z0-9_.-]+)*$"));
    if (key.size() > 64 || !plainKey.match(key).hasMatch()) {
        return {};
    }
    const QString name = section.compare(kCarriedTimeTable, Qt::CaseInsensitive) == 0 ? kTimeTable : section;
    for (const QString& known : RestorableSections()) {
        if (name.compare(known, Qt::CaseInsensitive) == 0) {
            return known;
        }
    }
    return {};
}

bool RestoreSettingsFromDataBase(Recordset& keys, PackError* error) {
    if (!keys.IsOpen() && !keys.Refresh()) {
        *error = DatabaseError(keys);
        return false;
    }
    if (keys.RecordCount() > kMaxRegKeyRows) {
        *error = {9, QStringLiteral("Subscript out of range\r\n\r\nThe file carries more than %1 settings.")
                         .arg(kMaxRegKeyRows)};
        return false;
    }
    // One write of the settings file for all the carried settings, whole or not at all.
    SettingsStore::BeginBatch();
    keys.MoveFirst();
    for (; !keys.AtEOF(); keys.MoveNext()) {
        const QString key = keys.Field(QStringLiteral("Key")).toString();
        const QString section = RestoredSection(keys.Field(QStringLiteral("Section")).toString(), key);
        if (!section.isEmpty()) {
            SaveSetting(AppKey, section, key, keys.Field(QStringLiteral("Value")).toString());
        }
    }
    if (!SettingsStore::EndBatch()) {
        *error = {75,
                  QStringLiteral("Path/File access error\r\n\r\nThe carried settings could not be saved.")};
        keys.MoveFirst();
        return false;
    }
    keys.MoveFirst();
    return true;
}
