// The run's entries behind every picture menu of a mechanism window.
#include "mechanism_window/run_menus.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>

#include "mechanism_window/run_export.h"
#include "plot/qt/picture_box.h"
#include "run/frame.h"
#include "widgets/picture_menu.h"

namespace sim {

void ShowCopiedTable(const std::optional<QString>& table, bool tooLarge, QWidget* parent)
{
    if (table) {
        QGuiApplication::clipboard()->setText(*table);
        return;
    }
    if (tooLarge)
        QMessageBox::information(
            parent, QCoreApplication::translate("widgets::PictureMenu", "表をコピー"),
            QCoreApplication::translate(
                "widgets::PictureMenu",
                "表は %1 MB を超え、クリップボードには大きすぎます。%2 を開いてください。")
                .arg(kMostCopiedBytes / 1'000'000)
                .arg(kResultFileName));
}

namespace {

QString ViewName(const SimulationFrame& frame)
{
    switch (frame.viewShows()) {
    case ViewShows::Summary:
        return "summary";
    case ViewShows::Page:
        return QString("page%1").arg(frame.graphPage());
    case ViewShows::Poses:
        break;
    }
    return frame.hasRun() ? QString("step%1").arg(frame.currentStep()) : QString("picture3");
}

}

void InstallRunPictureMenus(const SimulationFrame& frame,
                            const std::array<plot::PictureBox*, 3>& pictures,
                            std::function<void()> copyTable, std::function<void()> saveSetUp)
{
    const QString stem = QString::fromStdString(frame.mechanism().command) + "_";
    plot::PictureBox* view = pictures[2];
    auto hasRun = [&frame] { return frame.hasRun(); };
    const std::vector<widgets::PictureMenuEntry> entries = {
        {QT_TRANSLATE_NOOP("widgets::PictureMenu", "表をコピー"), std::move(copyTable), hasRun},
        {QT_TRANSLATE_NOOP("widgets::PictureMenu", "レポートを保存"),
         [&frame, view, stem] {
             widgets::SaveWithDialog(
                 view->window(),
                 QCoreApplication::translate("widgets::PictureMenu", "レポートを保存"),
                 stem + "report.pdf", "PDF (*.pdf)", [&frame, view](const QString&) {
                     return RunReportPdf(frame, view->logicalSize(), view->logicalDpiX());
                 });
         },
         hasRun},
        {QT_TRANSLATE_NOOP("widgets::PictureMenu", "アニメーションを保存"),
         [&frame, view, stem] {
             widgets::SaveWithDialog(
                 view->window(),
                 QCoreApplication::translate("widgets::PictureMenu", "アニメーションを保存"),
                 stem + "animation.gif",
                 QCoreApplication::translate("widgets::PictureMenu", "GIF アニメーション (*.gif)"),
                 [&frame, view](const QString&) {
                     const std::string gif =
                         RunAnimationGif(frame, view->logicalSize(), view->logicalDpiX());
                     return QByteArray(gif.data(), static_cast<qsizetype>(gif.size()));
                 });
         },
         hasRun},
        {QT_TRANSLATE_NOOP("widgets::PictureMenu", "設定を保存…"), std::move(saveSetUp), {}},
    };
    for (int i = 0; i < 2; ++i) {
        const QString name = stem + QString("picture%1").arg(i + 1);
        new widgets::PictureMenu(
            pictures[static_cast<std::size_t>(i)], [name] { return name; }, entries);
    }
    new widgets::PictureMenu(
        view, [stem, &frame] { return stem + ViewName(frame); }, entries);
}

}
