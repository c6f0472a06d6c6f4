#include "DataControl.h"

#include "BoundControls.h"

#include <QCoreApplication>

#include <algorithm>

namespace {
QString DefaultDisplay(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

QVariant DefaultParse(const QString& text) {
    return text;
}

// A line break typed in (LF) is stored as the program's own, CR LF.
QString WithOwnLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}
} // namespace

QString MergeEdit(const QString& stored, const QString& shown, const QString& edited) {
    // Where each shown character stands in the stored text.
    std::vector<qsizetype> at(static_cast<size_t>(shown.size()) + 1);
    qsizetype s = 0;
    for (qsizetype d = 0; d < shown.size(); ++d) {
        at[static_cast<size_t>(d)] = s;
        if (s >= stored.size()) {
            return WithOwnLineBreaks(edited); // not the stored text's form after all
        }
        if (shown.at(d) == u'\n' && stored.at(s) == u'\r') {
            s += s + 1 < stored.size() && stored.at(s + 1) == u'\n' ? 2 : 1;
        } else if (shown.at(d) == stored.at(s)) {
            ++s;
        } else {
            return WithOwnLineBreaks(edited);
        }
    }
    if (s != stored.size()) {
        return WithOwnLineBreaks(edited);
    }
    at[static_cast<size_t>(shown.size())] = s;
    qsizetype prefix = 0;
    while (prefix < shown.size() && prefix < edited.size() && shown.at(prefix) == edited.at(prefix)) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < shown.size() - prefix && suffix < edited.size() - prefix &&
           shown.at(shown.size() - 1 - suffix) == edited.at(edited.size() - 1 - suffix)) {
        ++suffix;
    }
    const qsizetype keptEnd = at[static_cast<size_t>(shown.size() - suffix)];
    return stored.left(at[static_cast<size_t>(prefix)]) +
           WithOwnLineBreaks(edited.mid(prefix, edited.size() - suffix - prefix)) + stored.mid(keptEnd);
}

DataControl::DataControl(Recordset& records, QObject* parent) : QObject(parent), m_records(&records) {
    records.AddClient(this);
    connect(&records, &Recordset::MoveComplete, this, &DataControl::MoveComplete);
}

DataControl::~DataControl() {
    if (m_records) {
        // What the controls hold now still reaches the rows before they lose their binding.
        CollectEdits();
        m_records->RemoveClient(this);
    }
    for (Binding& binding : m_bindings) {
        binding.control->m_source = nullptr;
    }
}

void DataControl::Bind(BoundControl* control, const QString& field) {
    Bind(control, field, DefaultDisplay, DefaultParse);
}

void DataControl::Bind(BoundControl* control, const QString& field,
                       std::function<QString(const QVariant&)> display,
                       std::function<QVariant(const QString&)> parse) {
    if (control->m_source && control->m_source != this) {
        control->m_source->Unbind(control);
    }
    Unbind(control);
    control->m_source = this;
    control->m_field = field;
    control->m_display = display ? std::move(display) : DefaultDisplay;
    control->m_parse = parse ? std::move(parse) : DefaultParse;
    Binding binding;
    binding.control = control;
    binding.shownText = control->RawText();
    m_bindings.push_back(binding);
}

void DataControl::Unbind(BoundControl* control) {
    auto it = std::find_if(m_bindings.begin(), m_bindings.end(),
                           [control](const Binding& b) { return b.control == control; });
    if (it != m_bindings.end()) {
        harvest(*it);
        m_bindings.erase(it);
    }
}

int DataControl::fieldOf(const Binding& binding) const {
    // The field's place is looked up once per reading of the rows, not on every move.
    if (!m_records) {
        return -1;
    }
    if (binding.generation != m_records->Generation()) {
        binding.field = m_records->FieldIndex(binding.control->m_field);
        binding.generation = m_records->Generation();
    }
    return binding.field;
}

QVariant DataControl::BoundField(const BoundControl* control) const {
    if (!m_records) {
        return QVariant();
    }
    for (const Binding& binding : m_bindings) {
        if (binding.control == control) {
            return m_records->FieldAt(fieldOf(binding));
        }
    }
    return m_records->Field(control->m_field);
}

void DataControl::CursorMoved() {
    for (Binding& binding : m_bindings) {
        binding.stale = true;
    }
    if (!m_flushQueued && !m_bindings.empty() && QCoreApplication::instance()) {
        m_flushQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_flushQueued = false;
                RefreshBoundControls();
            },
            Qt::QueuedConnection);
    }
}

void DataControl::CollectEdits() {
    for (Binding& binding : m_bindings) {
        harvest(binding);
    }
}

void DataControl::harvest(Binding& binding) {
    if (!m_records) {
        return;
    }
    const QString text = binding.control->RawText();
    if (text == binding.shownText) {
        return;
    }
    binding.shownText = text;
    BoundControl* control = binding.control;
    if (binding.stale) {
        // Written since the cursor moved, before the control was brought up to date: the write
        // belongs to the row the cursor stands on now, as it is, whatever the control showed.
        const int field = fieldOf(binding);
        m_records->SetValueAt(m_records->CurrentKey(), field, control->m_parse(WithOwnLineBreaks(text)));
        return;
    }
    if (binding.shownRow == 0 || binding.field < 0) {
        return;
    }
    // Only what was changed changes: the stored line breaks and characters around it stay.
    const QString stored = control->m_display(m_records->ValueAt(binding.shownRow, binding.field));
    const QString shown = control->ShownForm(stored);
    const QString merged = shown == text ? stored : MergeEdit(stored, shown, text);
    m_records->SetValueAt(binding.shownRow, binding.field, control->m_parse(merged));
}

void DataControl::refreshBinding(Binding& binding) {
    harvest(binding);
    const Recordset::RowKey row = m_records ? m_records->CurrentKey() : 0;
    const int field = fieldOf(binding);
    QString text;
    if (row != 0 && field >= 0) {
        text = binding.control->m_display(m_records->FieldAt(field));
    }
    if (binding.control->RawText() != binding.control->ShownForm(text)) {
        binding.control->SetRawText(text);
    }
    // Read back: a control may store the text differently (line breaks), and only a real edit
    // may count as a change.
    binding.shownText = binding.control->RawText();
    binding.shownRow = row != 0 && field >= 0 ? row : 0;
    binding.stale = false;
}

void DataControl::ensureBinding(BoundControl* control) {
    for (Binding& binding : m_bindings) {
        if (binding.control == control) {
            if (binding.stale) {
                refreshBinding(binding);
            }
            return;
        }
    }
}

void DataControl::RefreshBoundControls() {
    for (Binding& binding : m_bindings) {
        if (binding.stale) {
            refreshBinding(binding);
        }
    }
}
