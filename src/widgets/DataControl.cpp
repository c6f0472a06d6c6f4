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
} // namespace

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
    if (binding.shownRow == 0 || binding.field < 0 || !m_records) {
        return;
    }
    const QString text = binding.control->RawText();
    if (text == binding.shownText) {
        return;
    }
    binding.shownText = text;
    m_records->SetValueAt(binding.shownRow, binding.field, binding.control->m_parse(text));
}

void DataControl::refreshBinding(Binding& binding) {
    harvest(binding);
    const Recordset::RowKey row = m_records ? m_records->CurrentKey() : 0;
    const int field = fieldOf(binding);
    QString text;
    if (row != 0 && field >= 0) {
        text = binding.control->m_display(m_records->FieldAt(field));
    }
    if (binding.control->RawText() != text) {
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
