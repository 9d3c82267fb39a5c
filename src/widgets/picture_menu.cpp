// Building the picture menu when it is asked for, and the saving behind its entries.
#include "widgets/picture_menu.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>

#include "plot/qt/picture_box.h"
#include "files/file_refusal_text.h"
#include "files/safe_file.h"
#include "widgets/language.h"

namespace widgets {

QByteArray PictureFileBytes(const plot::ImageCanvas& picture, const QString& path)
{
    if (QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0)
        return picture.vectors() ? picture.vectors()->svg() : QByteArray();
    return picture.pngBytes();
}

std::optional<sim::Refusal> SaveBytes(const std::filesystem::path& path, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return sim::Refusal::OfFile(path, MECHSIM_TR_NOOP("core", "中身を作れませんでした"));
    return sim::WriteWholeFile(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void SaveWithDialog(QWidget* parent, const QString& title, const QString& defaultName,
                    const QString& filter,
                    const std::function<QByteArray(const QString& path)>& bytes)
{
    QString chosenFilter;
    QString path = QFileDialog::getSaveFileName(parent, title, defaultName, filter, &chosenFilter);
    if (path.isEmpty())
        return;
    // A name typed without an extension takes the one of the chosen filter, e.g. "(*.svg)".
    const qsizetype star = chosenFilter.lastIndexOf("*.");
    if (QFileInfo(path).suffix().isEmpty() && star >= 0)
        path += chosenFilter.mid(star + 1).chopped(1);
    if (const std::optional<sim::Refusal> refusal = SaveBytes(path.toStdString(), bytes(path)))
        QMessageBox::warning(
            parent, title,
            QString::fromStdString(sim::DescribeFileRefusal(*refusal, TranslateCoreText)));
}

PictureMenu::PictureMenu(plot::PictureBox* picture, std::function<QString()> baseName,
                         std::vector<PictureMenuEntry> more)
    : QObject(picture), picture_(picture), baseName_(std::move(baseName)), more_(std::move(more))
{
    picture->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(picture, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = makeMenu(picture_);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(picture_->mapToGlobal(at));
    });
}

QMenu* PictureMenu::makeMenu(QWidget* parent) const
{
    auto* menu = new QMenu(parent);
    plot::PictureBox* picture = picture_;
    const QString name = baseName_();
    menu->addAction(tr("画像を保存"), picture, [picture, name] {
        SaveWithDialog(picture->window(), tr("画像を保存"), name + ".png",
                       tr("PNG 画像 (*.png);;SVG 画像 (*.svg)"),
                       [picture](const QString& path) { return PictureFileBytes(*picture, path); });
    });
    menu->addAction(tr("クリップボードにコピー"), picture,
                    [picture] { QGuiApplication::clipboard()->setImage(picture->image()); });
    if (!more_.empty())
        menu->addSeparator();
    for (const PictureMenuEntry& entry : more_) {
        // Entries name their caption by its source text, translated as the menu opens.
        QAction* action =
            menu->addAction(tr(entry.caption.toUtf8().constData()), picture, entry.action);
        action->setEnabled(!entry.enabled || entry.enabled());
    }
    return menu;
}

}
