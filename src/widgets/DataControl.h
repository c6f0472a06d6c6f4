#pragma once

#include "platform/Recordset.h"

#include <QObject>
#include <QPointer>

#include <vector>

class BoundControl;

// What an edit makes of a stored text that a control shows in its own form (a text box shows
// every line break as one LF): the part the edit changed is replaced, the rest stays as stored,
// and a line break typed in is the program's own CR LF.
QString MergeEdit(const QString& stored, const QString& shown, const QString& edited);

// A form's data control: it binds the form's controls to the fields of a record cursor that it
// does not own. Bound controls show the cursor's current row, filled in lazily after a move,
// and what is written into them goes back to the row when the cursor stores or leaves it.
class DataControl : public QObject, public RecordsetClient {
    Q_OBJECT
public:
    explicit DataControl(Recordset& records, QObject* parent = nullptr);
    ~DataControl() override;

    Recordset& Records() const { return *m_records; }

    // Binds a control to a field. display turns the stored value into the control's text;
    // parse turns an edited text back into the value to store.
    void Bind(BoundControl* control, const QString& field);
    void Bind(BoundControl* control, const QString& field, std::function<QString(const QVariant&)> display,
              std::function<QVariant(const QString&)> parse);
    void Unbind(BoundControl* control);
    // The current row's value of the field a control is bound to (as stored, not as edited).
    QVariant BoundField(const BoundControl* control) const;
    // Brings every bound control up to the current row now (otherwise it happens when the
    // event loop next runs, or when a control is read or painted).
    void RefreshBoundControls();

Q_SIGNALS:
    // After every move of the cursor, Refresh and Find included.
    void MoveComplete();

private:
    struct Binding {
        BoundControl* control = nullptr;
        mutable int field = -1;
        mutable quint64 generation = 0; // the cursor's reading of the rows that `field` belongs to
        Recordset::RowKey shownRow = 0; // the row whose value the control shows; 0 = none
        QString shownText;              // the control's text as it was filled in
        bool stale = true;
    };

    friend class BoundControl;
    void CollectEdits() override;
    void CursorMoved() override;
    void ensureBinding(BoundControl* control);
    void refreshBinding(Binding& binding);
    void harvest(Binding& binding);
    int fieldOf(const Binding& binding) const;

    QPointer<Recordset> m_records;
    std::vector<Binding> m_bindings;
    bool m_flushQueued = false;
};
