#pragma once

// Photographs of an article: small pictures to click and a large view.
#include "photo_files.h"

#include <QLabel>
#include <QSize>
#include <QStringList>
#include <QWidget>

#include <array>

class QGraphicsPixmapItem;
class QGraphicsScene;
class QGraphicsView;

namespace corvane::components {

// A picture shrunk to the label's size, keeping its proportions; clicking it
// with the left button emits clicked() whether or not it holds a picture.
class PhotoThumbnail : public QLabel {
    Q_OBJECT
public:
    explicit PhotoThumbnail(QWidget* parent = nullptr);

    // Shows the picture of `path` (readPhoto()); false, and nothing shown,
    // when it cannot be read.
    bool setFile(const QString& path);
    // Shows nothing.
    void clearPhoto();

    // The file shown; empty when none.
    QString file() const { return file_; }
    bool hasPhoto() const { return !file_.isEmpty(); }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showScaled();

    QString file_;
    QPixmap picture_;
};

// Four thumbnails captioned "(01)" to "(04)" for the photographs that could be
// read, and a large view `M1` with the buttons "Stretch" (fit the photo to the
// view), "Tam.Real" (real size) and "Limpar" (back to the initial position and
// size: the photo fitted into kInitialFrame at the view's top-left corner).
// The large view is moved by dragging it with the left mouse button. A
// stretched photo stays fitted when the view changes size (also when it was
// opened while the view was hidden); one at real size or in the initial frame
// keeps its scale.
//
// Clicking a thumbnail that holds a photo opens it in the large view,
// stretched, and emits photoOpened(); one without a photo does nothing.
//
// Object names: thumbnails "ML1".."ML4", their captions "Caption1".."Caption4",
// the large view "M1", the buttons "BitStretch", "BitTamanhoReal", "BitReset".
class PhotoView : public QWidget {
    Q_OBJECT
public:
    // The initial position's frame, in pixels of the view.
    static constexpr QSize kInitialFrame{475, 258};

    explicit PhotoView(QWidget* parent = nullptr);

    // The files of photographs 1 to 4 (see articlePhotoFiles()); an empty,
    // missing or unreadable file leaves its thumbnail empty and uncaptioned,
    // entries past the fourth are ignored. Empties the large view.
    void setPhotos(const QStringList& paths);
    // Empties the thumbnails and the large view.
    void clear();

    // Opens photograph n (1..4) in the large view, stretched, and emits
    // photoOpened(n); false, and nothing changed, when its thumbnail holds no
    // photo or its file can no longer be read.
    bool openPhoto(int n);

    // The buttons' actions; nothing when the large view is empty.
    void stretch();
    void realSize();
    void reset();

    // What is shown, for the screens and their tests.
    bool hasThumbnail(int n) const;
    QString thumbnailFile(int n) const;
    QString caption(int n) const;
    // The photo in the large view: its number (0 when none) and file.
    int shownNumber() const { return shownNumber_; }
    QString shownFile() const { return shownFile_; }
    // The large view's scale: 1 at real size.
    double scale() const;
    QGraphicsView* largeView() const { return view_; }

signals:
    void photoOpened(int n);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void clearLargeView();
    void scaleTo(double factor);
    void fitToView();

    std::array<PhotoThumbnail*, kPhotoCount> thumbnails_{};
    std::array<QLabel*, kPhotoCount> captions_{};
    QGraphicsScene* scene_ = nullptr;
    QGraphicsView* view_ = nullptr;
    QGraphicsPixmapItem* item_ = nullptr;
    QString shownFile_;
    int shownNumber_ = 0;
    bool stretched_ = false;
};

} // namespace corvane::components
