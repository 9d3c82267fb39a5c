// The main menu form: menu tree, informational panel, start-up settings and ending the program.
#include "app/main_menu.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/file_opening.h"
#include "app/form_opener.h"
#include "app/language_menu.h"
#include "app/logo_picture.h"
#include "files/result_file.h"
#include "linkage_editor/linkage_editor.h"
#include "mechanisms/catalog.h"
#include "run/settings.h"
#include "version.h"
#include "widgets/accessible_names.h"
#include "widgets/language.h"

namespace app {

namespace {

// A submenu carries its control name both as a menu and as the item that opens it.
QMenu* Named(QMenu* menu, const QString& name)
{
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

// The title is the build's APP_TITLE; its default has an English translation.
[[maybe_unused]] const char* const kDefaultTitle =
    QT_TRANSLATE_NOOP("app::MainMenu", "平面機構シミュレータ");

}

QString VersionCaption(int major, int minor, int revision)
{
    return QCoreApplication::translate("app::MainMenu", "ﾊﾞｰｼﾞｮﾝ %1.%2.%3")
        .arg(major)
        .arg(minor)
        .arg(revision);
}

void EndProgram()
{
    // exit() rather than quit(): quit() first asks every window to close, and a window
    // could refuse; the program must end whatever is open.
    QCoreApplication::exit(0);
}

MainMenu::MainMenu(FormOpener& opener, sim::Settings& settings, QWidget* parent)
    : QMainWindow(parent), opener_(opener), settings_(settings)
{
    setObjectName("start_menu");
    // No title text; a lone space keeps the window system from showing the program name.
    setWindowTitle(" ");
    buildMenus();
    buildPanel();
    settings_ = sim::Settings{};
    retranslate();
}

void MainMenu::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

void MainMenu::retranslate()
{
    for (const Caption& caption : captions_)
        caption.action->setText(caption.core ? widgets::TranslateCore(caption.source)
                                             : tr(caption.source.c_str()));
    version_->setText(VersionCaption(kVersionMajor, kVersionMinor, kVersionRevision));
    productName_->setText(tr(kApplicationTitle));
    const sim::Settings defaults;
    const QStringList information = {
        tr("平面機構（シリアルアーム・リンク機構・クランク＆ピストン・パラレル機構）の位置・速度・"
           "加速度を計算し、動きをアニメーションとグラフで表示します。"),
        tr("メニューの「機構選択」から機構を選び、寸法と駆動の始めと終わりの値を入力して、"
           "運動曲線を選んで run を押してください。"),
        tr("stop で動きを止めると軌跡と重ね書きの図が、next で別の量のグラフが見られます。"),
        tr("サイクルタイムと時分割数はメニューの「設定」で変えられます"
           "（初めは %1 秒と %2 分割）。")
            .arg(QString::fromStdString(sim::CycleTimeText(defaults)),
                 QString::fromStdString(sim::DivisionCountText(defaults))),
        // Named in full, so a student who started the program from the desktop's menu finds
        // it (in the home folder).
        tr("計算結果は実行のたびに %1 に書き出されます。")
            .arg(QString::fromStdString(sim::FullPath(sim::kResultFileName).string())),
    };
    for (int i = 0; i < information.size() && i < information_.size(); ++i)
        information_[i]->setText(information[i]);
    endButton_->setText(tr("終了"));
    widgets::NameForAccessibility(endButton_, endButton_->text());
}

QMenu* MainMenu::addCaptionedMenu(QMenuBar* bar, QMenu* parent, const QString& name,
                                  const char* caption)
{
    QMenu* menu = parent ? parent->addMenu(QString()) : bar->addMenu(QString());
    Named(menu, name);
    captions_.push_back({menu->menuAction(), caption});
    return menu;
}

void MainMenu::addWindowItem(QWidget* menu, const QString& name, Caption caption)
{
    auto* item = new QAction(menu);
    caption.action = item;
    captions_.push_back(std::move(caption));
    item->setObjectName(name);
    item->setEnabled(opener_.isRegistered(name));
    connect(item, &QAction::triggered, this, [this, name] { opener_.open(name); });
    menu->addAction(item);
}

void MainMenu::buildMenus()
{
    QMenu* file = Named(menuBar()->addMenu("file"), "file");
    QAction* open = file->addAction(QString());
    captions_.push_back({open, QT_TR_NOOP("開く…")});
    open->setObjectName("open");
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, &MainMenu::chooseFile);
    QAction* newLinkage = file->addAction(QString());
    captions_.push_back({newLinkage, QT_TR_NOOP("新しいリンク機構")});
    newLinkage->setObjectName("newLinkage");
    newLinkage->setShortcut(QKeySequence::New);
    connect(newLinkage, &QAction::triggered, this, [this] {
        auto* editor = new linkage_editor::LinkageEditor(settings_);
        editor->show();
    });
    QAction* shuryou = file->addAction(QString());
    captions_.push_back({shuryou, QT_TR_NOOP("終了")});
    shuryou->setObjectName("shuryou");
    connect(shuryou, &QAction::triggered, this, &EndProgram);

    QMenuBar* bar = menuBar();
    QMenu* select = addCaptionedMenu(bar, nullptr, "select", QT_TR_NOOP("機構選択"));
    QMenu* serialArms = addCaptionedMenu(bar, select, "sirial", QT_TR_NOOP("シリアル機構"));
    for (const sim::Mechanism* m : mechanisms::AllMechanisms())
        addWindowItem(m->menuGroup == sim::MenuGroup::SerialArms ? serialArms : select,
                      QString::fromStdString(m->menuName), {nullptr, m->title, true});

    addExamplesMenu(bar);

    QMenu* testing = addCaptionedMenu(bar, nullptr, "testing", QT_TR_NOOP("関数テスト"));
    addWindowItem(testing, "gauss_test", {nullptr, QT_TR_NOOP("ガウスの消去法テスト")});
    addWindowItem(testing, "lady_test", {nullptr, QT_TR_NOOP("レディー関数テスト")});
    addWindowItem(testing, "nibunhou_test", {nullptr, QT_TR_NOOP("二分法テスト")});

    // "設定" sits in the menu bar itself without a submenu, so one click opens the dialog.
    addWindowItem(bar, "settei", {nullptr, QT_TR_NOOP("設定")});
    AddLanguageMenu(bar);
}

void MainMenu::addExamplesMenu(QMenuBar* bar)
{
    QMenu* examples = addCaptionedMenu(bar, nullptr, "examples", QT_TR_NOOP("例題"));
    const std::vector<Example> gallery = GalleryExamples();
    examples->menuAction()->setEnabled(!gallery.empty());
    for (const Example& example : gallery) {
        QAction* item = examples->addAction(QString());
        captions_.push_back({item, example.title, true});
        item->setObjectName("example_" + QString::fromStdString(example.file.stem().string()));
        // A linkage's title is its author's words, shown as written in either language.
        item->setProperty(kAuthorsWordsProperty, example.authorsTitle);
        item->setToolTip(example.teaches);
        item->setStatusTip(example.teaches);
        connect(item, &QAction::triggered, this, [this, file = example.file] { openFile(file); });
    }
    examples->setToolTipsVisible(true);
}

void MainMenu::chooseFile()
{
    const QString chosen = QFileDialog::getOpenFileName(
        this, tr("開く"), QString(), tr("機構の設定 (*.mechsim);;すべてのファイル (*)"));
    if (!chosen.isEmpty())
        openFile(chosen.toStdString());
}

void MainMenu::openFile(const std::filesystem::path& file)
{
    const sim::Refusable<QWidget*> opened = OpenMechsimFile(file, opener_, settings_);
    if (!opened)
        QMessageBox::warning(this, tr("開く"), OpeningRefusalText(opened.error()));
}

void MainMenu::buildPanel()
{
    auto* central = new QWidget(this);
    auto* mainFrame = new QGroupBox(central);
    mainFrame->setObjectName("main");

    auto* imgLogo = new LogoPicture(LogoPicture::Motif::FourBar, QSize(220, 170), mainFrame);
    imgLogo->setObjectName("imgLogo");
    auto* Image1 = new LogoPicture(LogoPicture::Motif::CrankPiston, QSize(220, 80), mainFrame);
    Image1->setObjectName("Image1");
    widgets::NameForAccessibility(imgLogo);
    widgets::NameForAccessibility(Image1);

    productName_ = new QLabel(mainFrame);
    productName_->setObjectName("lblProductName");
    QFont titleFont = productName_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    productName_->setFont(titleFont);
    version_ = new QLabel(mainFrame);
    version_->setObjectName("lblVersion");

    auto* text = new QVBoxLayout;
    text->addWidget(productName_);
    text->addWidget(version_);
    text->addSpacing(8);
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(mainFrame);
        label->setObjectName(QString("Label%1").arg(i + 1));
        label->setWordWrap(true);
        text->addWidget(label);
        information_.push_back(label);
    }
    text->addStretch();

    auto* pictures = new QVBoxLayout;
    pictures->addWidget(imgLogo);
    pictures->addWidget(Image1);
    pictures->addStretch();

    auto* panel = new QHBoxLayout(mainFrame);
    panel->addLayout(pictures);
    panel->addSpacing(12);
    panel->addLayout(text, 1);

    endButton_ = new QPushButton(central);
    endButton_->setObjectName("Command1");
    connect(endButton_, &QPushButton::clicked, this, &EndProgram);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(endButton_);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(mainFrame);
    layout->addLayout(buttons);
    setCentralWidget(central);
    resize(720, 420);
}

}
