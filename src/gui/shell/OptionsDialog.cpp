#include "gui/shell/OptionsDialog.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "browse/BrowserCommand.h"
#include "commands/FileChooser.h"
#include "commands/Prompter.h"
#include "gui/uikit/ColourButton.h"
#include "gui/uikit/DialogButtons.h"
#include "gui/uikit/QtText.h"
#include "settings/AppSettings.h"

namespace lh::gui {

namespace {

using commands::OtherEntry;
constexpr int kEntryRole = Qt::UserRole;

// The Other page's marks: a radio dot or a tick box, drawn for both states.
QIcon markIcon(bool radio, bool on) {
    QPixmap pixmap(32, 32);
    pixmap.setDevicePixelRatio(2.0);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x45, 0x5a, 0x64), 1.2));
    p.setBrush(Qt::white);
    if (radio) {
        p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
        if (on) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x2e, 0x7d, 0x32));
            p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
        }
    } else {
        p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 2, 2);
        if (on) {
            p.setPen(QPen(QColor(0x2e, 0x7d, 0x32), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF({QPointF(5, 8), QPointF(7.2, 10.5), QPointF(11.2, 5.2)}));
        }
    }
    return QIcon(pixmap);
}

bool isRadio(OtherEntry entry) {
    return entry == OtherEntry::Property || entry == OtherEntry::Comment ||
           entry == OtherEntry::BrowseUrl;
}

// Space or Enter on an entry of the Other page counts as a click on it.
class EntryKeys : public QObject {
public:
    EntryKeys(QTreeWidget* tree, std::function<void(QTreeWidgetItem*)> click)
        : QObject(tree), m_tree(tree), m_click(std::move(click)) {
        tree->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter) {
            return false;
        }
        m_click(m_tree->currentItem());
        return true;
    }

private:
    QTreeWidget* m_tree;
    std::function<void(QTreeWidgetItem*)> m_click;
};

}  // namespace

OptionsDialog::OptionsDialog(settings::AppSettings& settings, commands::Prompter& prompter,
                             commands::FileChooser& files, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_prompter(prompter), m_files(files) {
    setWindowTitle(tr("Options"));
    m_pages = new QTabWidget(this);
    m_pages->setObjectName("optionPages");
    m_pages->addTab(makeGeneralPage(), tr("General"));
    m_pages->addTab(makeGraphPage(), tr("Graph"));
    m_pages->addTab(makeOtherPage(), tr("Other"));
    connect(m_pages, &QTabWidget::currentChanged, this, &OptionsDialog::pageChosen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(makeOkCancelRow(*this).layout);
}

QWidget* OptionsDialog::makeGeneralPage() {
    auto* page = new QWidget;
    const commands::GeneralPage values = commands::generalPageOf(m_settings);
    const auto box = [&](const char* name, const QString& text, bool checked) {
        auto* check = new QCheckBox(text, page);
        check->setObjectName(name);
        check->setChecked(checked);
        return check;
    };
    m_startMinimized =
        box("startMinimizedCheckBox", tr("Start main window minimized"), values.startMinimized);
    m_fileMustExist =
        box("fileMustExistCheckBox", tr("The added file must exist"), values.fileMustExist);
    m_dailyBackup = box("dailyBackupCheckBox", tr("Auto backup Linkhaven database every day "),
                        values.dailyBackup);
    m_sizeInBytes =
        box("sizeInBytesCheckBox", tr("Display file size in bytes"), values.sizeInBytes);
    m_autoSave = box("autoSaveCheckBox", tr("Auto save listed file every "), values.autoSave);
    m_minutes = new QLineEdit(toQString(values.minutes), page);
    m_minutes->setObjectName("minutesLineEdit");
    m_minutes->setMaximumWidth(60);
    m_minutes->setEnabled(values.autoSave);
    connect(m_autoSave, &QCheckBox::toggled, m_minutes, &QWidget::setEnabled);

    auto* autoSaveRow = new QHBoxLayout;
    autoSaveRow->addWidget(m_autoSave);
    autoSaveRow->addWidget(m_minutes);
    autoSaveRow->addWidget(new QLabel(tr("minutes"), page));
    autoSaveRow->addStretch();

    auto* browserGroup = new QGroupBox(tr("Default Browser setup"), page);
    m_browser = new QLineEdit(toQString(values.browser), browserGroup);
    m_browser->setObjectName("browserLineEdit");
    auto* browse = new QPushButton(tr(".."), browserGroup);
    browse->setObjectName("browseButton");
    browse->setMaximumWidth(40);
    connect(browse, &QPushButton::clicked, this, &OptionsDialog::chooseBrowser);
    auto* help = new QPushButton(tr("help"), browserGroup);
    help->setObjectName("helpButton");
    connect(help, &QPushButton::clicked, this,
            [this] { m_prompter.tell(std::string(commands::kBrowserHelpText)); });
    auto* browserRow = new QHBoxLayout(browserGroup);
    browserRow->addWidget(m_browser, 1);
    browserRow->addWidget(browse);
    browserRow->addWidget(help);

    auto* layout = new QVBoxLayout(page);
    for (QCheckBox* check : {m_startMinimized, m_fileMustExist, m_dailyBackup, m_sizeInBytes}) {
        layout->addWidget(check);
    }
    layout->addLayout(autoSaveRow);
    layout->addWidget(browserGroup);
    layout->addStretch();
    return page;
}

QWidget* OptionsDialog::makeGraphPage() {
    auto* page = new QWidget;
    const auto button = [&](const char* name, const QString& text) {
        auto* b = new ColourButton(text, page);
        b->setObjectName(name);
        return b;
    };
    m_oddLine = button("oddLineButton", tr("Odd Line"));
    m_evenLine = button("evenLineButton", tr("Even Line"));
    m_background = button("backgroundButton", QString());
    m_hourHand = button("hourHandButton", tr("Hour hand"));
    m_minuteHand = button("minuteHandButton", tr("Minute hand"));
    m_secondHand = button("secondHandButton", tr("Second hand"));
    // The line samples show on the background as it is being chosen.
    connect(m_background, &ColourButton::colourChosen, this, [this](std::uint32_t colour) {
        m_oddLine->setSampleBackground(colour);
        m_evenLine->setSampleBackground(colour);
    });

    auto* detailReset = new QPushButton(tr("Reset"), page);
    detailReset->setObjectName("detailResetButton");
    connect(detailReset, &QPushButton::clicked, this, [this] {
        commands::resetDetailColours(m_settings);
        showGraph(commands::graphPageOf(m_settings));
        emit detailColoursChanged();
    });
    auto* clockReset = new QPushButton(tr("Reset"), page);
    clockReset->setObjectName("clockResetButton");
    connect(clockReset, &QPushButton::clicked, this, [this] {
        commands::resetClockColours(m_settings);
        showGraph(commands::graphPageOf(m_settings));
    });
    m_transparent = new QCheckBox(tr("Transparent  DropZone (requires restart program)"), page);
    m_transparent->setObjectName("transparentCheckBox");

    auto* detailGroup = new QGroupBox(tr("Detail Color"), page);
    auto* detail = new QGridLayout(detailGroup);
    detail->addWidget(new QLabel(tr("Detail Text Color"), detailGroup), 0, 0, 1, 2);
    detail->addWidget(m_oddLine, 1, 0);
    detail->addWidget(m_evenLine, 1, 1);
    detail->addWidget(new QLabel(tr("Background Color"), detailGroup), 2, 0, 1, 2);
    detail->addWidget(m_background, 3, 0);
    detail->addWidget(detailReset, 3, 1);
    auto* clockGroup = new QGroupBox(tr("Timer color set"), page);
    auto* clock = new QHBoxLayout(clockGroup);
    for (ColourButton* hand : {m_hourHand, m_minuteHand, m_secondHand}) {
        clock->addWidget(hand);
    }
    clock->addWidget(clockReset);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(detailGroup);
    layout->addWidget(clockGroup);
    layout->addWidget(m_transparent);
    layout->addStretch();
    showGraph(commands::graphPageOf(m_settings));
    return page;
}

void OptionsDialog::showGraph(const commands::GraphPage& page) {
    m_oddLine->setColour(page.oddText);
    m_evenLine->setColour(page.evenText);
    m_oddLine->setSampleBackground(page.detailBackground);
    m_evenLine->setSampleBackground(page.detailBackground);
    m_background->setColour(page.detailBackground);
    m_hourHand->setColour(page.hourHand);
    m_minuteHand->setColour(page.minuteHand);
    m_secondHand->setColour(page.secondHand);
    m_transparent->setChecked(page.transparentDropZone);
}

QWidget* OptionsDialog::makeOtherPage() {
    auto* page = new QGroupBox(tr("Setting"));
    m_otherTree = new QTreeWidget(page);
    m_otherTree->setObjectName("otherTree");
    m_otherTree->setHeaderHidden(true);
    const auto add = [](QTreeWidgetItem* parent, const QString& text,
                        std::optional<OtherEntry> entry) {
        auto* item = new QTreeWidgetItem(parent, {text});
        if (entry) {
            item->setData(0, kEntryRole, static_cast<int>(*entry));
        }
        return item;
    };
    auto* doubleClick = new QTreeWidgetItem(m_otherTree, {tr("When double-clicking on an item")});
    auto* urlCategory = add(doubleClick, tr("Url Management Category"), std::nullopt);
    add(urlCategory, tr("Property"), OtherEntry::Property);
    add(urlCategory, tr("Comment"), OtherEntry::Comment);
    add(urlCategory, tr("Browse this Url"), OtherEntry::BrowseUrl);
    auto* mainWindow = new QTreeWidgetItem(m_otherTree, {tr("Main Window")});
    add(mainWindow, tr("Hide window when minimized"), OtherEntry::HideWhenMinimized);
    add(mainWindow, tr("Minimize main windows on click X"), OtherEntry::MinimizeOnClose);
    m_otherTree->expandAll();
    showOtherMarks();
    connect(m_otherTree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { clickOther(item); });
    new EntryKeys(m_otherTree, [this](QTreeWidgetItem* item) { clickOther(item); });
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_otherTree);
    return page;
}

void OptionsDialog::showOtherMarks() {
    static const QIcon folder = style()->standardIcon(QStyle::SP_DirIcon);
    for (QTreeWidgetItemIterator it(m_otherTree); *it != nullptr; ++it) {
        const QVariant entry = (*it)->data(0, kEntryRole);
        if (!entry.isValid()) {
            (*it)->setIcon(0, folder);
            continue;
        }
        const auto e = static_cast<OtherEntry>(entry.toInt());
        (*it)->setIcon(0, markIcon(isRadio(e), commands::otherEntryMarked(e, m_settings)));
    }
}

void OptionsDialog::clickOther(QTreeWidgetItem* item) {
    if (item == nullptr || !item->data(0, kEntryRole).isValid()) {
        return;  // a folder
    }
    commands::clickOtherEntry(static_cast<OtherEntry>(item->data(0, kEntryRole).toInt()),
                              m_settings);
    showOtherMarks();
}

void OptionsDialog::chooseBrowser() {
    const auto chosen = m_files.chooseFileToOpen({tr("Browser").toStdString(), "/usr/bin", {}, {}});
    if (!chosen) {
        return;
    }
    if (!QFileInfo(toQString(*chosen)).isExecutable()) {
        m_prompter.tell("\"" + *chosen + "\" is not a program that can be started.",
                        commands::Prompter::Icon::Warning);
        return;
    }
    m_browser->setText(toQString(browse::quoteProgram(*chosen)));
}

bool OptionsDialog::leavePage(int page) {
    switch (page) {
        case General: {
            const commands::GeneralPage values{
                m_startMinimized->isChecked(),  m_fileMustExist->isChecked(),
                m_dailyBackup->isChecked(),     m_sizeInBytes->isChecked(),
                m_autoSave->isChecked(),        m_minutes->text().toStdString(),
                m_browser->text().toStdString()};
            if (commands::leaveGeneralPage(values, m_settings) ==
                commands::LeaveOutcome::BadMinutes) {
                m_prompter.tell(std::string(commands::kBadMinutesText),
                                commands::Prompter::Icon::Warning);
                m_minutes->setFocus();
                m_minutes->selectAll();
                return false;
            }
            m_browser->setText(toQString(m_settings.Defbrowser));
            return true;
        }
        case Graph:
            commands::leaveGraphPage(
                {m_oddLine->colour(), m_evenLine->colour(), m_background->colour(),
                 m_hourHand->colour(), m_minuteHand->colour(), m_secondHand->colour(),
                 m_transparent->isChecked()},
                m_settings);
            emit detailColoursChanged();
            return true;
        default:
            return true;  // the Other page applies each click at once
    }
}

void OptionsDialog::pageChosen(int index) {
    if (!leavePage(m_shownPage)) {
        // A tab widget cannot refuse a switch: go back to the page that must stay.
        const QSignalBlocker quiet(m_pages);
        m_pages->setCurrentIndex(m_shownPage);
        m_minutes->setFocus();
        return;
    }
    m_shownPage = index;
}

void OptionsDialog::accept() {
    if (leavePage(m_pages->currentIndex())) {
        QDialog::accept();
    }
}

}  // namespace lh::gui
