// The main menu form: menu tree, informational panel, start-up settings and ending the program.
#include "app/start_menu.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/form_opener.h"
#include "app/logo_picture.h"
#include "sim/result_file.h"
#include "sim/settings.h"
#include "version.h"
#include "widgets/accessible_names.h"

namespace app {

namespace {

// A submenu carries its control name both as a menu and as the item that opens it.
QMenu* Named(QMenu* menu, const QString& name)
{
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

}

QString VersionCaption(int major, int minor, int revision)
{
    return QString("ﾊﾞｰｼﾞｮﾝ %1.%2.%3").arg(major).arg(minor).arg(revision);
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
}

void start_menu::Form_Load()
{
    lblVersion->setText(VersionCaption(kVersionMajor, kVersionMinor, kVersionRevision));
    lblProductName->setText(QString::fromUtf8(kApplicationTitle));
    settings_ = sim::Settings{};
}

void start_menu::Command1_Click()
{
    EndProgram();
}

void start_menu::shuryou_Click()
{
    EndProgram();
}

void start_menu::addFormItem(QWidget* menu, const QString& name, const QString& caption)
{
    auto* item = new QAction(caption, menu);
    item->setObjectName(name);
    item->setEnabled(opener_.isRegistered(name));
    connect(item, &QAction::triggered, this, [this, name] { opener_.open(name); });
    menu->addAction(item);
}

void start_menu::buildMenus()
{
    QMenu* file = Named(menuBar()->addMenu("file"), "file");
    QAction* shuryou = file->addAction("終了");
    shuryou->setObjectName("shuryou");
    connect(shuryou, &QAction::triggered, this, &start_menu::shuryou_Click);

    QMenu* select = Named(menuBar()->addMenu("機構選択"), "select");
    QMenu* sirial = Named(select->addMenu("シリアル機構"), "sirial");
    addFormItem(sirial, "jun2r", "直列２R順運動学");
    addFormItem(sirial, "jun3r", "直列３R順運動学");
    addFormItem(sirial, "choku3r", "直列３R直線補間");
    addFormItem(sirial, "enn3r", "直列３R円弧補間");
    addFormItem(select, "parallel", "パラレル機構");
    addFormItem(select, "link4", "４リンク機構");
    addFormItem(select, "slider_kikou", "クランク＆ピストン機構");

    QMenu* testing = Named(menuBar()->addMenu("関数テスト"), "testing");
    addFormItem(testing, "gauss_test", "ガウスの消去法テスト");
    addFormItem(testing, "lady_test", "レディー関数テスト");
    addFormItem(testing, "nibunhou_test", "二分法テスト");

    // "設定" sits in the menu bar itself without a submenu, so one click opens the dialog.
    addFormItem(menuBar(), "settei", "設定");
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

    const QStringList information = {
        "平面機構（シリアルアーム・リンク機構・クランク＆ピストン・パラレル機構）の位置・速度・"
        "加速度を計算し、動きをアニメーションとグラフで表示します。",
        "メニューの「機構選択」から機構を選び、寸法と駆動の始めと終わりの値を入力して、"
        "運動曲線を選んで run を押してください。",
        "stop で動きを止めると軌跡と重ね書きの図が、next で別の量のグラフが見られます。",
        QString("サイクルタイムと時分割数はメニューの「設定」で変えられます"
                "（初めは %1 秒と %2 分割）。")
            .arg(QString::fromStdString(sim::CycleTimeText(sim::Settings{})),
                 QString::fromStdString(sim::DivisionCountText(sim::Settings{}))),
        // Named in full, so a student who started the program from the desktop's menu finds
        // it (in the home folder).
        QString("計算結果は実行のたびに %1 に書き出されます。")
            .arg(QString::fromStdString(sim::FullPath(sim::kResultFileName).string())),
    };
    auto* text = new QVBoxLayout;
    text->addWidget(lblProductName);
    text->addWidget(lblVersion);
    text->addSpacing(8);
    for (int i = 0; i < information.size(); ++i) {
        auto* label = new QLabel(information[i], mainFrame);
        label->setObjectName(QString("Label%1").arg(i + 1));
        label->setWordWrap(true);
        text->addWidget(label);
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

    Command1 = new QPushButton("終了", central);
    Command1->setObjectName("Command1");
    widgets::NameForAccessibility(Command1, Command1->text());
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
