// The main menu form: menu tree, informational panel, start-up settings and ending the program.
#include "app/start_menu.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/form_opener.h"
#include "app/language_menu.h"
#include "app/logo_picture.h"
#include "files/result_file.h"
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
    QT_TRANSLATE_NOOP("app::start_menu", "平面機構シミュレータ");

}

QString VersionCaption(int major, int minor, int revision)
{
    return QCoreApplication::translate("app::start_menu", "ﾊﾞｰｼﾞｮﾝ %1.%2.%3")
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

start_menu::start_menu(FormOpener& opener, sim::Settings& settings, QWidget* parent)
    : QMainWindow(parent), opener_(opener), settings_(settings)
{
    setObjectName("start_menu");
    // No title text; a lone space keeps the window system from showing the program name.
    setWindowTitle(" ");
    buildMenus();
    buildPanel();
    Form_Load();
    retranslate();
}

void start_menu::Form_Load()
{
    settings_ = sim::Settings{};
}

void start_menu::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

void start_menu::retranslate()
{
    for (const auto& [action, source] : captions_)
        action->setText(tr(source));
    lblVersion->setText(VersionCaption(kVersionMajor, kVersionMinor, kVersionRevision));
    lblProductName->setText(tr(kApplicationTitle));
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
    Command1->setText(tr("終了"));
    widgets::NameForAccessibility(Command1, Command1->text());
}

void start_menu::Command1_Click()
{
    EndProgram();
}

void start_menu::shuryou_Click()
{
    EndProgram();
}

QMenu* start_menu::addCaptionedMenu(QMenuBar* bar, QMenu* parent, const QString& name,
                                    const char* caption)
{
    QMenu* menu = parent ? parent->addMenu(QString()) : bar->addMenu(QString());
    Named(menu, name);
    captions_.push_back({menu->menuAction(), caption});
    return menu;
}

void start_menu::addFormItem(QWidget* menu, const QString& name, const char* caption)
{
    auto* item = new QAction(menu);
    captions_.push_back({item, caption});
    item->setObjectName(name);
    item->setEnabled(opener_.isRegistered(name));
    connect(item, &QAction::triggered, this, [this, name] { opener_.open(name); });
    menu->addAction(item);
}

void start_menu::buildMenus()
{
    QMenu* file = Named(menuBar()->addMenu("file"), "file");
    QAction* shuryou = file->addAction(QString());
    captions_.push_back({shuryou, QT_TR_NOOP("終了")});
    shuryou->setObjectName("shuryou");
    connect(shuryou, &QAction::triggered, this, &start_menu::shuryou_Click);

    QMenuBar* bar = menuBar();
    QMenu* select = addCaptionedMenu(bar, nullptr, "select", QT_TR_NOOP("機構選択"));
    QMenu* sirial = addCaptionedMenu(bar, select, "sirial", QT_TR_NOOP("シリアル機構"));
    addFormItem(sirial, "jun2r", QT_TR_NOOP("直列２R順運動学"));
    addFormItem(sirial, "jun3r", QT_TR_NOOP("直列３R順運動学"));
    addFormItem(sirial, "choku3r", QT_TR_NOOP("直列３R直線補間"));
    addFormItem(sirial, "enn3r", QT_TR_NOOP("直列３R円弧補間"));
    addFormItem(select, "parallel", QT_TR_NOOP("パラレル機構"));
    addFormItem(select, "link4", QT_TR_NOOP("４リンク機構"));
    addFormItem(select, "slider_kikou", QT_TR_NOOP("クランク＆ピストン機構"));

    QMenu* testing = addCaptionedMenu(bar, nullptr, "testing", QT_TR_NOOP("関数テスト"));
    addFormItem(testing, "gauss_test", QT_TR_NOOP("ガウスの消去法テスト"));
    addFormItem(testing, "lady_test", QT_TR_NOOP("レディー関数テスト"));
    addFormItem(testing, "nibunhou_test", QT_TR_NOOP("二分法テスト"));

    // "設定" sits in the menu bar itself without a submenu, so one click opens the dialog.
    addFormItem(bar, "settei", QT_TR_NOOP("設定"));
    AddLanguageMenu(bar);
}

void start_menu::buildPanel()
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

    lblProductName = new QLabel(mainFrame);
    lblProductName->setObjectName("lblProductName");
    QFont titleFont = lblProductName->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    lblProductName->setFont(titleFont);
    lblVersion = new QLabel(mainFrame);
    lblVersion->setObjectName("lblVersion");

    auto* text = new QVBoxLayout;
    text->addWidget(lblProductName);
    text->addWidget(lblVersion);
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

    Command1 = new QPushButton(central);
    Command1->setObjectName("Command1");
    connect(Command1, &QPushButton::clicked, this, &start_menu::Command1_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(mainFrame);
    layout->addLayout(buttons);
    setCentralWidget(central);
    resize(720, 420);
}

}
