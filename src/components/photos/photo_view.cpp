#include "photo_view.h"

#include "photo_files.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace corvane::components {

namespace {

constexpr QSize kThumbnailSize{96, 72};

bool validNumber(int n) {
    return n >= 1 && n <= kPhotoCount;
}

} // namespace

PhotoThumbnail::PhotoThumbnail(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    // The picture is shrunk to the label, never the label grown to the picture
    // nor squeezed by its layout.
    setFixedSize(kThumbnailSize);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

bool PhotoThumbnail::setFile(const QString& path) {
    clearPhoto();
    const QImage image = readPhoto(path);
    if (image.isNull())
        return false;
    picture_ = QPixmap::fromImage(image);
    file_ = path;
    showScaled();
    return true;
}

void PhotoThumbnail::clearPhoto() {
    file_.clear();
    picture_ = QPixmap();
    QLabel::clear();
}

void PhotoThumbnail::showScaled() {
    if (picture_.isNull())
        return;
    setPixmap(picture_.scaled(contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void PhotoThumbnail::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void PhotoThumbnail::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    showScaled();
}

PhotoView::PhotoView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    auto* thumbnails = new QVBoxLayout;
    for (int i = 0; i < kPhotoCount; ++i) {
        auto* thumbnail = new PhotoThumbnail(this);
        thumbnail->setObjectName(QStringLiteral("ML%1").arg(i + 1));
        auto* caption = new QLabel(this);
        caption->setObjectName(QStringLiteral("Caption%1").arg(i + 1));
        caption->setAlignment(Qt::AlignCenter);
        thumbnails->addWidget(thumbnail);
        thumbnails->addWidget(caption);
        thumbnails_[static_cast<std::size_t>(i)] = thumbnail;
        captions_[static_cast<std::size_t>(i)] = caption;
        connect(thumbnail, &PhotoThumbnail::clicked, this, [this, i] { openPhoto(i + 1); });
    }
    thumbnails->addStretch();
    layout->addLayout(thumbnails);

    auto* right = new QVBoxLayout;
    scene_ = new QGraphicsScene(this);
    view_ = new QGraphicsView(scene_, this);
    view_->setObjectName(QStringLiteral("M1"));
    view_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view_->setDragMode(QGraphicsView::ScrollHandDrag);
    view_->setTransformationAnchor(QGraphicsView::NoAnchor);
    view_->setMinimumSize(kInitialFrame / 2);
    view_->viewport()->installEventFilter(this);
    right->addWidget(view_, 1);
    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const char* name, const QString& text, void (PhotoView::*action)()) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QLatin1String(name));
        connect(button, &QPushButton::clicked, this, action);
        buttons->addWidget(button);
    };
    addButton("BitStretch", QStringLiteral("Stretch"), &PhotoView::stretch);
    addButton("BitTamanhoReal", QStringLiteral("Tam.Real"), &PhotoView::realSize);
    addButton("BitReset", QStringLiteral("Limpar"), &PhotoView::reset);
    buttons->addStretch();
    right->addLayout(buttons);
    layout->addLayout(right, 1);
}

void PhotoView::setPhotos(const QStringList& paths) {
    clear();
    const int count = static_cast<int>(std::min<qsizetype>(paths.size(), kPhotoCount));
    for (int i = 0; i < count; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (thumbnails_[at]->setFile(paths.at(i)))
            captions_[at]->setText(QStringLiteral("(%1)").arg(i + 1, 2, 10, QLatin1Char('0')));
    }
}

void PhotoView::clear() {
    for (std::size_t i = 0; i < thumbnails_.size(); ++i) {
        thumbnails_[i]->clearPhoto();
        captions_[i]->clear();
    }
    clearLargeView();
}

void PhotoView::clearLargeView() {
    scene_->clear();
    item_ = nullptr;
    shownFile_.clear();
    shownNumber_ = 0;
    stretched_ = false;
    view_->resetTransform();
    scene_->setSceneRect(QRectF());
}

bool PhotoView::openPhoto(int n) {
    if (!hasThumbnail(n))
        return false;
    const QString path = thumbnailFile(n);
    const QImage image = readPhoto(path);
    if (image.isNull())
        return false;
    clearLargeView();
    item_ = scene_->addPixmap(QPixmap::fromImage(image));
    scene_->setSceneRect(item_->boundingRect());
    shownFile_ = path;
    shownNumber_ = n;
    stretch();
    emit photoOpened(n);
    return true;
}

void PhotoView::stretch() {
    if (!item_)
        return;
    stretched_ = true;
    fitToView();
}

void PhotoView::fitToView() {
    view_->resetTransform();
    view_->fitInView(item_, Qt::KeepAspectRatio);
}

bool PhotoView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_->viewport() && event->type() == QEvent::Resize && item_ && stretched_)
        fitToView();
    return QWidget::eventFilter(watched, event);
}

void PhotoView::realSize() {
    scaleTo(1.0);
}

void PhotoView::reset() {
    if (!item_)
        return;
    const QSizeF size = item_->boundingRect().size();
    scaleTo(std::min(kInitialFrame.width() / size.width(), kInitialFrame.height() / size.height()));
    view_->horizontalScrollBar()->setValue(view_->horizontalScrollBar()->minimum());
    view_->verticalScrollBar()->setValue(view_->verticalScrollBar()->minimum());
}

void PhotoView::scaleTo(double factor) {
    if (!item_)
        return;
    stretched_ = false;
    view_->setTransform(QTransform::fromScale(factor, factor));
}

bool PhotoView::hasThumbnail(int n) const {
    return validNumber(n) && thumbnails_[static_cast<std::size_t>(n - 1)]->hasPhoto();
}

QString PhotoView::thumbnailFile(int n) const {
    return validNumber(n) ? thumbnails_[static_cast<std::size_t>(n - 1)]->file() : QString();
}

QString PhotoView::caption(int n) const {
    return validNumber(n) ? captions_[static_cast<std::size_t>(n - 1)]->text() : QString();
}

double PhotoView::scale() const {
    return view_->transform().m11();
}

} // namespace corvane::components
