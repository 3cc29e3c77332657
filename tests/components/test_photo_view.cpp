#include "components/photos/photo_files.h"
#include "components/photos/photo_view.h"

#include <QDir>
#include <QFile>
#include <QGraphicsView>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

using namespace corvane::components;

namespace {

// A picture of the size given written as a bitmap.
void writePicture(const QString& path, QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY2(image.save(path, "BMP"), qPrintable(path));
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

// A folder holding photo 1 of article "ART", a picture of the size given.
struct OnePhoto {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("ART1.Bmp"));
    explicit OnePhoto(QSize size) { writePicture(path, size, Qt::gray); }
};

// Whether the large view shows a picture of the size given fitted to its
// viewport, within the margin the fitting keeps.
bool stretchedToView(const PhotoView& photos, QSize picture) {
    const QSize viewport = photos.largeView()->viewport()->size();
    const double fit =
        qMin(viewport.width() / double(picture.width()), viewport.height() / double(picture.height()));
    return photos.scale() <= fit && photos.scale() > fit * 0.97;
}

void click(QWidget* widget) {
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Drags the view's picture by `by` with the left button.
void drag(QGraphicsView* view, QPoint by) {
    QWidget* viewport = view->viewport();
    const QPoint from = viewport->rect().center();
    sendMouse(viewport, QEvent::MouseButtonPress, from, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, from + by / 2, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, from + by, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseButtonRelease, from + by, Qt::NoButton);
}

} // namespace

class TestPhotoView : public QObject {
    Q_OBJECT
private slots:
    // Folder + code + number + extension; codes that could leave the folder,
    // numbers outside 1..4 and empty folders or codes name no file.
    void photoFileNames() {
        QCOMPARE(photoFileName(QStringLiteral("/fotos"), QStringLiteral("ECH001"), 2),
                 QStringLiteral("/fotos/ECH0012.Bmp"));
        QCOMPARE(photoFileName(QStringLiteral("/fotos/"), QStringLiteral(" ECH001 "), 4),
                 QStringLiteral("/fotos/ECH0014.Bmp"));
        QCOMPARE(photoFileName(QStringLiteral("/fotos"), QStringLiteral("ECH001"), 1, QStringLiteral(".Jpg")),
                 QStringLiteral("/fotos/ECH0011.Jpg"));
        for (const QString& code :
             {QStringLiteral("A/B"), QStringLiteral("A\\B"), QStringLiteral(".."),
              QStringLiteral("../ECH001"), QStringLiteral("ECH..001"), QString(), QStringLiteral("   ")})
            QVERIFY2(photoFileName(QStringLiteral("/fotos"), code, 1).isEmpty(), qPrintable(code));
        QVERIFY(photoFileName(QStringLiteral("/fotos"), QStringLiteral("ECH001"), 0).isEmpty());
        QVERIFY(photoFileName(QStringLiteral("/fotos"), QStringLiteral("ECH001"), 5).isEmpty());
        QVERIFY(photoFileName(QString(), QStringLiteral("ECH001"), 1).isEmpty());
    }

    // The existing files only, the extension in any case, the rest of the
    // name as it is; nothing outside the folder.
    void existingPhotoFiles() {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString folder = root.filePath(QStringLiteral("fotos"));
        QVERIFY(QDir().mkpath(folder));
        const QDir dir(folder);
        writeBytes(dir.filePath(QStringLiteral("ART1.Bmp")), "x");
        writeBytes(dir.filePath(QStringLiteral("ART2.bmp")), "x");
        writeBytes(dir.filePath(QStringLiteral("ART3.BMP")), "x");
        writeBytes(dir.filePath(QStringLiteral("art4.Bmp")), "x");  // another article's case
        writeBytes(dir.filePath(QStringLiteral("ART4.Bmpx")), "x"); // another extension
        QVERIFY(dir.mkdir(QStringLiteral("ART5.Bmp")));             // a folder, not a file
        writeBytes(root.filePath(QStringLiteral("OUT1.Bmp")), "x");

        const QString code = QStringLiteral("ART");
        QCOMPARE(findPhotoFile(folder, code, 1), dir.filePath(QStringLiteral("ART1.Bmp")));
        QCOMPARE(findPhotoFile(folder, code, 2), dir.filePath(QStringLiteral("ART2.bmp")));
        QCOMPARE(findPhotoFile(folder, code, 3), dir.filePath(QStringLiteral("ART3.BMP")));
        QCOMPARE(findPhotoFile(folder, code, 4), QString());
        QCOMPARE(
            articlePhotoFiles(folder, code),
            (QStringList{dir.filePath(QStringLiteral("ART1.Bmp")), dir.filePath(QStringLiteral("ART2.bmp")),
                         dir.filePath(QStringLiteral("ART3.BMP")), QString()}));
        QCOMPARE(articlePhotoFiles(folder, QStringLiteral("NONE")), QStringList(4, QString()));
        QCOMPARE(findPhotoFile(folder, QStringLiteral("../OUT"), 1), QString());
        QCOMPARE(findPhotoFile(root.filePath(QStringLiteral("missing")), code, 1), QString());
        // Exactly the name given wins over another case.
        writeBytes(dir.filePath(QStringLiteral("ART2.Bmp")), "x");
        QCOMPARE(findPhotoFile(folder, code, 2), dir.filePath(QStringLiteral("ART2.Bmp")));
    }

    void readingPictures() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString good = dir.filePath(QStringLiteral("A1.Bmp"));
        writePicture(good, {40, 30}, Qt::red);
        const QString corrupt = dir.filePath(QStringLiteral("A2.Bmp"));
        writeBytes(corrupt, QByteArray("BM this is no bitmap").repeated(20));
        const QString empty = dir.filePath(QStringLiteral("A3.Bmp"));
        writeBytes(empty, QByteArray());
        QCOMPARE(readPhoto(good).size(), QSize(40, 30));
        QVERIFY(readPhoto(corrupt).isNull());
        QVERIFY(readPhoto(empty).isNull());
        QVERIFY(readPhoto(dir.filePath(QStringLiteral("A4.Bmp"))).isNull());
        QVERIFY(readPhoto(QString()).isNull());
    }

    // Photos 1 and 3 of an article, photo 2 corrupt: thumbnails and captions
    // for 1 and 3 only; clicking one shows it stretched in the large view and
    // says so; the buttons set the scale; the view is dragged.
    void thumbnailsAndLargeView() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.path();
        writePicture(dir.filePath(QStringLiteral("ECH0011.Bmp")), {1200, 900}, Qt::darkGreen);
        writeBytes(dir.filePath(QStringLiteral("ECH0012.Bmp")), QByteArray("BM corrupt").repeated(30));
        writePicture(dir.filePath(QStringLiteral("ECH0013.bmp")), {200, 100}, Qt::blue);
        const QStringList files = articlePhotoFiles(folder, QStringLiteral("ECH001"));
        QCOMPARE(files.size(), 4);
        QVERIFY(!files.at(1).isEmpty()); // the corrupt file exists

        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* photos = new PhotoView(&window);
        layout->addWidget(photos);
        window.resize(900, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy opened(photos, &PhotoView::photoOpened);

        // The buttons do nothing while the large view is empty.
        click(photos->findChild<QPushButton*>(QStringLiteral("BitTamanhoReal")));
        click(photos->findChild<QPushButton*>(QStringLiteral("BitReset")));
        QCOMPARE(photos->scale(), 1.0);

        photos->setPhotos(files);
        QCOMPARE(photos->hasThumbnail(1), true);
        QCOMPARE(photos->hasThumbnail(2), false);
        QCOMPARE(photos->hasThumbnail(3), true);
        QCOMPARE(photos->hasThumbnail(4), false);
        QCOMPARE(photos->caption(1), QStringLiteral("(01)"));
        QCOMPARE(photos->caption(2), QString());
        QCOMPARE(photos->caption(3), QStringLiteral("(03)"));
        QCOMPARE(photos->caption(4), QString());
        QCOMPARE(photos->thumbnailFile(3), files.at(2));
        auto* ml1 = photos->findChild<PhotoThumbnail*>(QStringLiteral("ML1"));
        auto* ml2 = photos->findChild<PhotoThumbnail*>(QStringLiteral("ML2"));
        QVERIFY(ml1 && ml2);
        QVERIFY(!ml1->pixmap().isNull());
        QVERIFY(ml2->pixmap().isNull());
        QCOMPARE(photos->findChild<QLabel*>(QStringLiteral("Caption3"))->text(), QStringLiteral("(03)"));

        // Thumbnails without a photo: nothing.
        click(ml2);
        click(photos->findChild<PhotoThumbnail*>(QStringLiteral("ML4")));
        QCOMPARE(opened.size(), 0);
        QCOMPARE(photos->shownNumber(), 0);
        QVERIFY(!photos->openPhoto(2));
        QVERIFY(!photos->openPhoto(0));

        click(photos->findChild<PhotoThumbnail*>(QStringLiteral("ML3")));
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.takeFirst().at(0).toInt(), 3);
        QCOMPARE(photos->shownNumber(), 3);
        QCOMPARE(photos->shownFile(), files.at(2));

        click(ml1);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.takeFirst().at(0).toInt(), 1);
        QCOMPARE(photos->shownFile(), files.at(0));

        // Opened stretched: the whole picture fits the view and fills it
        // across or down.
        QGraphicsView* view = photos->largeView();
        const QSize picture(1200, 900);
        QVERIFY2(view->viewport()->width() > 600, qPrintable(QString::number(view->viewport()->width())));
        QVERIFY2(stretchedToView(*photos, picture), qPrintable(QString::number(photos->scale())));
        const double stretched = photos->scale();

        click(photos->findChild<QPushButton*>(QStringLiteral("BitTamanhoReal")));
        QCOMPARE(photos->scale(), 1.0);
        QVERIFY(view->horizontalScrollBar()->maximum() > 0);
        QVERIFY(view->verticalScrollBar()->maximum() > 0);

        // Dragging moves the picture under the mouse.
        const int left = view->horizontalScrollBar()->value();
        const int top = view->verticalScrollBar()->value();
        drag(view, QPoint(-120, -60));
        QCOMPARE(view->horizontalScrollBar()->value(), left + 120);
        QCOMPARE(view->verticalScrollBar()->value(), top + 60);
        QCOMPARE(photos->scale(), 1.0);

        // Back to the initial frame at the top-left corner.
        click(photos->findChild<QPushButton*>(QStringLiteral("BitReset")));
        QCOMPARE(photos->scale(), qMin(475.0 / 1200.0, 258.0 / 900.0));
        QCOMPARE(view->horizontalScrollBar()->value(), view->horizontalScrollBar()->minimum());
        QCOMPARE(view->verticalScrollBar()->value(), view->verticalScrollBar()->minimum());
        QCOMPARE(view->mapFromScene(QPointF(0, 0)), QPoint(0, 0));

        click(photos->findChild<QPushButton*>(QStringLiteral("BitStretch")));
        QCOMPARE(photos->scale(), stretched);

        // A stretched photo follows the view's size; one at real size keeps it.
        window.resize(640, 480);
        QTRY_VERIFY(view->viewport()->width() < 600);
        QVERIFY2(stretchedToView(*photos, picture), qPrintable(QString::number(photos->scale())));
        const int smallWidth = view->viewport()->width();
        click(photos->findChild<QPushButton*>(QStringLiteral("BitTamanhoReal")));
        window.resize(900, 700);
        QTRY_VERIFY(view->viewport()->width() > smallWidth);
        QCOMPARE(photos->scale(), 1.0);
        click(photos->findChild<QPushButton*>(QStringLiteral("BitStretch")));
        QTRY_COMPARE(photos->scale(), stretched);

        // Another article empties the large view; clear() empties everything.
        photos->setPhotos({files.at(2)});
        QCOMPARE(photos->shownNumber(), 0);
        QCOMPARE(photos->shownFile(), QString());
        QVERIFY(view->scene()->items().isEmpty());
        QVERIFY(photos->hasThumbnail(1));
        QVERIFY(!photos->hasThumbnail(3));
        photos->clear();
        for (int n = 1; n <= 4; ++n) {
            QVERIFY(!photos->hasThumbnail(n));
            QCOMPARE(photos->caption(n), QString());
        }
        QCOMPARE(opened.size(), 0);
    }

    // A photo opened while the view is hidden is fitted when the view is shown.
    void openedWhileHidden() {
        const OnePhoto photo({2000, 1000});
        PhotoView photos;
        photos.setPhotos({photo.path});
        QVERIFY(photos.openPhoto(1));
        photos.resize(900, 600);
        photos.show();
        QVERIFY(QTest::qWaitForWindowExposed(&photos));
        QTRY_VERIFY2(stretchedToView(photos, {2000, 1000}), qPrintable(QString::number(photos.scale())));
    }

    // A photo whose file went bad after its thumbnail was shown opens nothing.
    void fileSpoiledAfterShowing() {
        const OnePhoto photo({60, 40});
        PhotoView photos;
        photos.setPhotos({photo.path});
        QVERIFY(photos.hasThumbnail(1));
        QSignalSpy opened(&photos, &PhotoView::photoOpened);
        writeBytes(photo.path, "not a picture any more");
        QVERIFY(!photos.openPhoto(1));
        QCOMPARE(opened.size(), 0);
        QCOMPARE(photos.shownNumber(), 0);
        QVERIFY(photos.largeView()->scene()->items().isEmpty());
    }
};

QTEST_MAIN(TestPhotoView)
#include "test_photo_view.moc"
