#include "ui/widgets/picture_frame.h"

#include "core/files/notebook_folder.h"
#include "core/pictures/pictures.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>

namespace {

// The one local file a drag carries, or "".
QString droppedFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls().first().isLocalFile())
        return {};
    const QString path = mime->urls().first().toLocalFile();
    return QFileInfo(path).isFile() ? path : QString();
}

} // namespace

PictureFrame::PictureFrame(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setAcceptDrops(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PictureFrame::showKey(const NotebookFolder &folder, const QString &key)
{
    if (showKeyIfAny(folder, key))
        return;
    showNothing();
    render(folder.pathOf(pictures::placeholderName()));
}

bool PictureFrame::showKeyIfAny(const NotebookFolder &folder, const QString &key)
{
    const QString stem = pictures::pictureStem(key);
    if (stem.isEmpty())
        return false;
    // The winner is the first that loads in the order .bmp, .gif, .jpg; no other is decoded.
    for (const char *ext : {".bmp", ".gif", ".jpg"}) {
        const QString name = stem + QLatin1String(ext);
        if (folder.exists(name) && folder.refusal(name).isEmpty() && render(folder.pathOf(name)))
            return true;
    }
    return false;
}

bool PictureFrame::showFile(const QString &path) { return render(path); }

void PictureFrame::showNothing()
{
    m_path.clear();
    m_decodedFor = QSize();
    clear();
    setAccessibleDescription(QString());
}

bool PictureFrame::render(const QString &path)
{
    // A frame not laid out yet decodes at the size it asks for; the layout's resize follows.
    QSize box = contentsRect().size();
    if (box.width() < 16 || box.height() < 16)
        box = m_preferred;
    QImage image = m_cache.load(path, box);
    if (image.isNull()) {
        if (const QString problem = pictures::sizeProblem(path); !problem.isEmpty())
            emit pictureRefused(problem);
        return false;
    }
    // A small picture grows to fill the box as well (the enlarged layouts and slide shows).
    if (image.width() < box.width() && image.height() < box.height())
        image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_path = path;
    m_decodedFor = box;
    setPixmap(QPixmap::fromImage(image));
    setAccessibleDescription(QFileInfo(path).fileName());
    return true;
}

void PictureFrame::setPreferredSize(QSize size)
{
    m_preferred = size;
    updateGeometry();
}

QSize PictureFrame::sizeHint() const { return m_preferred; }
QSize PictureFrame::minimumSizeHint() const { return QSize(32, 24); }

void PictureFrame::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    // Decoded again at the new size once the layout settles, not at every step of a drag.
    if (m_path.isEmpty() || m_pendingRender)
        return;
    m_pendingRender = true;
    QTimer::singleShot(0, this, [this] {
        m_pendingRender = false;
        if (!m_path.isEmpty() && contentsRect().size() != m_decodedFor && !render(m_path))
            showNothing();
    });
}

void PictureFrame::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void PictureFrame::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void PictureFrame::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void PictureFrame::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    emit fileDropped(path);
}
