#include "gui/linkcheck/LinkCheckWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

#include "gui/linkcheck/LinkCheckSession.h"
#include "gui/uikit/QtText.h"

namespace lh::gui {

namespace {

constexpr int kTickMs = 1000;
using Model = LinkResultsModel;

}  // namespace

LinkCheckWindow::LinkCheckWindow(LinkCheckSession& session, QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(session) {
    setupUi();
    connectSignals();
    refreshProgress();
    updateButtons();
}

QPushButton* LinkCheckWindow::addButton(const char* text, const char* name) {
    auto* button = new QPushButton(QString::fromLatin1(text), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

void LinkCheckWindow::setupUi() {
    setObjectName(QStringLiteral("linkCheckWindow"));
    setWindowTitle(QStringLiteral("Check Links"));
    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("progressBar"));
    m_progressBar->setRange(0, 1000);
    m_progressBar->setTextVisible(false);
    m_progressLabel = new QLabel(this);
    m_progressLabel->setObjectName(QStringLiteral("progressLabel"));
    m_proxyLabel = new QLabel(
        QStringLiteral("A proxy is set: whether a link leads to a private or local address cannot "
                       "be checked through it."),
        this);
    m_proxyLabel->setObjectName(QStringLiteral("proxyLabel"));
    m_proxyLabel->setWordWrap(true);
    m_proxyLabel->hide();

    m_filterCombo = new QComboBox(this);
    m_filterCombo->setObjectName(QStringLiteral("verdictComboBox"));
    m_filterCombo->addItem(QStringLiteral("All"), QString());
    for (const char* verdict : {"ok", "moved", "dead", "error", "skipped"}) {
        m_filterCombo->addItem(QString::fromLatin1(verdict), QString::fromLatin1(verdict));
    }
    m_proxy = new QSortFilterProxyModel(this);
    m_proxy->setSourceModel(&m_session.model());
    m_proxy->setSortRole(Model::kSortRole);
    m_proxy->setFilterRole(Model::kVerdictRole);
    m_proxy->setFilterKeyColumn(Model::Verdict);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("resultsTableView"));
    m_table->setModel(m_proxy);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(-1, Qt::AscendingOrder);  // in check order until a header is clicked
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setWordWrap(false);
    m_table->horizontalHeader()->setStretchLastSection(false);
    m_table->setColumnWidth(Model::Title, 160);
    m_table->setColumnWidth(Model::Address, 250);
    m_table->setColumnWidth(Model::Verdict, 70);
    m_table->setColumnWidth(Model::Code, 50);
    m_table->setColumnWidth(Model::Final, 250);

    m_openButton = addButton("Open", "openButton");
    m_moveButton = addButton("Move to...", "moveButton");
    m_recycleButton = addButton("Move to Recycle", "recycleButton");
    m_newAddressButton = addButton("Use new address", "newAddressButton");
    m_recheckButton = addButton("Re-check", "recheckButton");
    m_cancelButton = addButton("Cancel", "cancelButton");
    m_closeButton = addButton("Close", "closeButton");

    auto* top = new QHBoxLayout;
    top->addWidget(m_progressBar, 1);
    top->addWidget(m_cancelButton);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(m_progressLabel, 1);
    filterRow->addWidget(new QLabel(QStringLiteral("Show"), this));
    filterRow->addWidget(m_filterCombo);
    auto* actions = new QHBoxLayout;
    for (QPushButton* button :
         {m_openButton, m_moveButton, m_recycleButton, m_newAddressButton, m_recheckButton}) {
        actions->addWidget(button);
    }
    actions->addStretch(1);
    actions->addWidget(m_closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(filterRow);
    layout->addWidget(m_proxyLabel);
    layout->addWidget(m_table, 1);
    layout->addLayout(actions);
    resize(900, 500);
}

void LinkCheckWindow::connectSignals() {
    connect(&m_session, &LinkCheckSession::progressChanged, this, [this] {
        refreshProgress();
        updateButtons();
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LinkCheckWindow::updateButtons);
    connect(m_proxy, &QAbstractItemModel::modelReset, this, &LinkCheckWindow::updateButtons);
    connect(m_proxy, &QAbstractItemModel::dataChanged, this, &LinkCheckWindow::updateButtons);
    connect(m_filterCombo, &QComboBox::currentIndexChanged, this,
            [this] { setVerdictFilter(m_filterCombo->currentData().toString()); });
    connect(m_openButton, &QPushButton::clicked, this, [this] { m_session.open(selectedItems()); });
    connect(m_moveButton, &QPushButton::clicked, this, [this] {
        if (m_chooseMove) {
            m_chooseMove(selectedItems());
        }
    });
    connect(m_recycleButton, &QPushButton::clicked, this,
            [this] { m_session.moveToRecycle(selectedItems()); });
    connect(m_newAddressButton, &QPushButton::clicked, this,
            [this] { m_session.useNewAddresses(selectedItems()); });
    connect(m_recheckButton, &QPushButton::clicked, this,
            [this] { m_session.recheck(selectedItems()); });
    connect(m_cancelButton, &QPushButton::clicked, &m_session, &LinkCheckSession::cancel);
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(&m_ticker, &QTimer::timeout, this, &LinkCheckWindow::refreshProgress);
}

void LinkCheckWindow::setProxyNote(bool proxySet) {
    m_proxyLabel->setVisible(proxySet);
}

void LinkCheckWindow::setVerdictFilter(const QString& verdict) {
    const int line = std::max(0, m_filterCombo->findData(verdict));
    if (m_filterCombo->currentIndex() != line) {
        m_filterCombo->setCurrentIndex(line);  // comes back here through the signal
        return;
    }
    m_proxy->setFilterRegularExpression(
        verdict.isEmpty() ? QString()
                          : QStringLiteral("^%1$").arg(QRegularExpression::escape(verdict)));
    updateButtons();
}

std::vector<store::ItemId> LinkCheckWindow::selectedItems() const {
    QModelIndexList rows = m_table->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<store::ItemId> ids;
    ids.reserve(static_cast<std::size_t>(rows.size()));
    for (const QModelIndex& row : rows) {
        ids.push_back(row.data(Model::kItemIdRole).value<store::ItemId>());
    }
    return ids;
}

void LinkCheckWindow::refreshProgress() {
    const LinkProgress progress = m_session.progress();
    m_progressBar->setValue(progress.perMille());
    m_progressLabel->setText(toQString(progress.text()));
    if (m_session.running() && !m_ticker.isActive()) {
        m_ticker.start(kTickMs);
    } else if (!m_session.running()) {
        m_ticker.stop();
    }
}

void LinkCheckWindow::updateButtons() {
    const std::vector<store::ItemId> ids = selectedItems();
    const bool any = !ids.empty();
    const bool anyMoved = std::any_of(ids.begin(), ids.end(), [this](store::ItemId id) {
        const LinkRow* row = m_session.model().find(id);
        return row != nullptr && offersNewAddress(*row);
    });
    m_openButton->setEnabled(any);
    m_moveButton->setEnabled(any);
    m_recycleButton->setEnabled(any);
    m_newAddressButton->setEnabled(anyMoved);
    m_recheckButton->setEnabled(any);
    m_cancelButton->setEnabled(m_session.running());
}

void LinkCheckWindow::closeEvent(QCloseEvent* event) {
    m_session.cancel();
    QWidget::closeEvent(event);
}

}  // namespace lh::gui
