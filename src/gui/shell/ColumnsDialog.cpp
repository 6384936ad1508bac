#include "gui/shell/ColumnsDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "gui/uikit/DialogButtons.h"
#include "gui/uikit/QtText.h"

namespace lh::gui {

namespace {

using Kind = settings::ColumnLayout::Kind;

}  // namespace

ColumnsDialog::ColumnsDialog(const settings::ColumnLayout& layout, QWidget* parent)
    : QDialog(parent), m_form(layout, Kind::Url) {
    setWindowTitle(tr("Colume"));
    m_list = new QListWidget(this);
    m_list->setObjectName("columnList");
    m_width = new QLineEdit(this);
    m_width->setObjectName("widthLineEdit");
    m_width->setValidator(new QIntValidator(0, 99999, m_width));
    m_width->setMaximumWidth(70);
    const auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        return b;
    };
    m_show = button("showButton", tr("Show"));
    m_hide = button("hideButton", tr("Hide"));
    m_moveUp = button("moveUpButton", tr("Move Up"));
    m_moveDown = button("moveDownButton", tr("Move Down"));
    QPushButton* reset = button("defaultButton", tr("Default"));

    const auto edit = [this](auto change) {
        const std::size_t row = *m_form.selected();
        change(row);
        showRows();
    };
    connect(m_show, &QPushButton::clicked, this,
            [this, edit] { edit([this](std::size_t r) { m_form.setChecked(r, true); }); });
    connect(m_hide, &QPushButton::clicked, this,
            [this, edit] { edit([this](std::size_t r) { m_form.setChecked(r, false); }); });
    connect(m_moveUp, &QPushButton::clicked, this,
            [this, edit] { edit([this](std::size_t) { m_form.moveUp(); }); });
    connect(m_moveDown, &QPushButton::clicked, this,
            [this, edit] { edit([this](std::size_t) { m_form.moveDown(); }); });
    connect(reset, &QPushButton::clicked, this, [this] {
        m_form.resetToDefault();
        m_width->clear();
        showRows();
    });
    connect(m_list, &QListWidget::currentRowChanged, this, &ColumnsDialog::rowChosen);
    connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        m_form.setChecked(static_cast<std::size_t>(m_list->row(item)),
                          item->checkState() == Qt::Checked);
        showButtons();
    });

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_show, m_hide, m_moveUp, m_moveDown, reset}) {
        buttons->addWidget(b);
    }
    buttons->addStretch();
    auto* lists = new QHBoxLayout;
    lists->addWidget(m_list, 1);
    lists->addLayout(buttons);
    auto* widthRow = new QHBoxLayout;
    auto* widthLabel = new QLabel(tr("The selected column should be"), this);
    widthLabel->setBuddy(m_width);
    widthRow->addWidget(widthLabel);
    widthRow->addWidget(m_width);
    widthRow->addWidget(new QLabel(tr("pixels wide"), this));
    widthRow->addStretch();
    auto* layoutBox = new QVBoxLayout(this);
    auto* hint = new QLabel(
        tr("Use the Move Up and Move Down buttons to reorder the columns however you like"), this);
    hint->setWordWrap(true);
    layoutBox->addWidget(hint);
    layoutBox->addLayout(lists);
    layoutBox->addLayout(widthRow);
    layoutBox->addLayout(makeOkCancelRow(*this).layout);
    showRows();
}

void ColumnsDialog::showRows() {
    // The list is rebuilt from the form; nothing it says meanwhile is a user's change.
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    const std::vector<std::string> names = commands::ColumnsForm::entryNames(Kind::Url);
    for (std::size_t i = 0; i < m_form.rows().size(); ++i) {
        const commands::ColumnsForm::Row& row = m_form.rows()[i];
        auto* item = new QListWidgetItem(toQString(names.at(row.entry)), m_list);
        Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        if (i > 0) {
            flags |= Qt::ItemIsUserCheckable;  // the picture column is always shown
        }
        item->setFlags(flags);
        item->setCheckState(row.checked ? Qt::Checked : Qt::Unchecked);
    }
    if (m_form.selected()) {
        m_list->setCurrentRow(static_cast<int>(*m_form.selected()));
    }
    showButtons();
}

void ColumnsDialog::showButtons() {
    const commands::ColumnsForm::Buttons b = m_form.buttons();
    m_show->setEnabled(b.show);
    m_hide->setEnabled(b.hide);
    m_moveUp->setEnabled(b.moveUp);
    m_moveDown->setEnabled(b.moveDown);
}

void ColumnsDialog::rowChosen(int row) {
    if (row < 0) {
        return;
    }
    m_form.select(static_cast<std::size_t>(row), m_width->text().toStdString());
    m_width->setText(toQString(m_form.selectedWidth()));
    showButtons();
}

settings::ColumnLayout ColumnsDialog::layout() const {
    return m_form.result(m_width->text().toStdString());
}

}  // namespace lh::gui
