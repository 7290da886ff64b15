// The animator's editing: whatever the author clicks, the chosen frame stays within the animation and the
// frame rectangles stay within the sheet, unwrapped; the figure fit finds the same figures as an
// independent count does, on real pictures; and "Загрузить набор" never loses the sheet.
#include "editor/animator.h"
#include "editor/editor.h"
#include "editor/editorstate.h"
#include "make-demo/spritesheet.h"
#include "platform/picturecodec.h"
#include "runtime/playfixture.h"
#include "support/testdata.h"
#include "toolkit/toolkittypes.h"

#include <QFileInfo>

#include <numeric>
#include <random>
#include <utility>
#include <vector>

namespace tw::test {
namespace {

// The animator's functions on the toolkit's types the sheets here are drawn with.
QRect figureAt(const QImage& sheet, QPoint at) { return toQt(tw::figureAt(fromQt(sheet), fromQt(at))); }
QRect frameAroundFigure(const QRect& figure, QSize sheet) {
    return toQt(tw::frameAroundFigure(fromQt(figure), fromQt(sheet)));
}
bool fitFrameToFigure(ProjectRecord& record, const EditorState& state, const QImage& sheet, QPoint at) {
    return tw::fitFrameToFigure(record, state, fromQt(sheet), fromQt(at));
}
bool nudgeFrame(ProjectRecord& record, const EditorState& state, FrameValue value, int delta, QSize sheet) {
    return tw::nudgeFrame(record, state, value, delta, fromQt(sheet));
}
void stretchFrame(ProjectRecord& record, const EditorState& state, QPoint down, QPoint pointer, QSize sheet) {
    tw::stretchFrame(record, state, fromQt(down), fromQt(pointer), fromQt(sheet));
}

QRect rectOf(const AnimFrame& f) { return QRect(f.srcX, f.srcY, f.width, f.height); }

bool withinSheet(const AnimFrame& f, QSize sheet) {
    return f.srcX + f.width <= sheet.width() && f.srcY + f.height <= sheet.height();
}

TEST(AnimatorEditing, RandomClicksKeepTheFrameChosenAndTheRectanglesInsideTheSheet) {
    std::mt19937 rng(20240510);
    const auto below = [&rng](int n) { return int(rng() % unsigned(n)); };
    const int counts[] = {0, 1, 2, 7, 29, 30, 31, 200, 255}; // blank and damaged counts among the usual ones
    for (int trial = 0; trial < 12; ++trial) {
        auto record = ProjectRecord::createBlank();
        const QSize sheet(1 + below(400), 1 + below(300));
        for (int a = 1; a <= kAnimationCapacity; ++a) {
            Animation& animation = record->animation(a);
            animation.frameCount = std::uint8_t(counts[below(std::size(counts))]);
            for (int f = 1; f <= kFrameCapacity; ++f) {
                const int x = below(sheet.width() + 1);
                const int y = below(sheet.height() + 1);
                animation.frame(f) = AnimFrame{std::uint16_t(x), std::uint16_t(y),
                                               std::uint16_t(below(sheet.width() - x + 1)),
                                               std::uint16_t(below(sheet.height() - y + 1))};
            }
        }
        EditorState state;
        for (int step = 0; step < 600; ++step) {
            const std::vector<Animation> before(std::begin(record->animations), std::end(record->animations));
            const EditorState was = state;
            const int op = below(9);
            const QPoint down(below(1400) - 400, below(1000) - 300);
            const QPoint pointer(below(1400) - 400, below(1000) - 300);
            const auto value = FrameValue(below(4));
            const int delta = below(2) ? 1 : -1;
            bool nudged = false;
            switch (op) {
            case 0: previousAnimation(state); break;
            case 1: nextAnimation(state); break;
            case 2: previousFrame(*record, state); break;
            case 3: nextFrame(*record, state); break;
            case 4: addFrame(*record, state); break;
            case 5: removeLastFrame(*record, state); break;
            case 6: nudged = nudgeFrame(*record, state, value, delta, sheet); break;
            case 7:
                state.sheetViewOffset = Point{below(600) - 300, below(600) - 300};
                stretchFrame(*record, state, down, pointer, sheet);
                break;
            case 8: // the count changed under the page (an undo, a damaged record): the page follows
                record->animation(state.currentAnimation).frameCount = std::uint8_t(counts[below(std::size(counts))]);
                keepSelectionInRange(*record, state);
                break;
            }
            SCOPED_TRACE(testing::Message() << "trial " << trial << " step " << step << " op " << op);
            const Animation& animation = record->animation(state.currentAnimation);
            ASSERT_GE(state.currentAnimation, 1);
            ASSERT_LE(state.currentAnimation, kAnimationCapacity);
            ASSERT_GE(state.currentFrame, 1);
            ASSERT_LE(state.currentFrame, framesInUse(animation));
            ASSERT_LE(state.currentFrame, kFrameCapacity);
            if (op == 0 || op == 1) {
                ASSERT_EQ(state.currentFrame, 1);
            }
            if (op == 4 || op == 5) {
                ASSERT_GE(animation.frameCount, 1);
                ASSERT_LE(animation.frameCount, kFrameCapacity);
                ASSERT_EQ(state.currentFrame, animation.frameCount); // the new last frame is chosen
            }
            // Only the chosen frame's rectangle ever changes; the slots past the count keep theirs.
            for (int a = 1; a <= kAnimationCapacity; ++a) {
                for (int f = 1; f <= kFrameCapacity; ++f) {
                    const AnimFrame& now = record->animation(a).frame(f);
                    ASSERT_TRUE(withinSheet(now, sheet)) << a << "/" << f;
                    if (a == was.currentAnimation && f == state.currentFrame && (op == 6 || op == 7)) continue;
                    ASSERT_EQ(rectOf(now), rectOf(before[std::size_t(a - 1)].frame(f))) << a << "/" << f;
                }
            }
            const AnimFrame& chosen = currentFrameOf(*record, state);
            if (op == 6) {
                const AnimFrame& old = before[std::size_t(state.currentAnimation - 1)].frame(state.currentFrame);
                const auto pick = [value](const AnimFrame& f) {
                    return value == FrameValue::X ? f.srcX : value == FrameValue::Y ? f.srcY
                                                     : value == FrameValue::Width ? f.width : f.height;
                };
                ASSERT_EQ(int(pick(chosen)) - int(pick(old)), nudged ? delta : 0);
                // A nudge stops only at 0, or where the rectangle would reach past the sheet.
                const bool horizontal = value == FrameValue::X || value == FrameValue::Width;
                const int reach = horizontal ? old.srcX + old.width : old.srcY + old.height;
                if (!nudged && delta < 0) {
                    ASSERT_EQ(pick(old), 0);
                }
                if (!nudged && delta > 0) {
                    ASSERT_EQ(reach, horizontal ? sheet.width() : sheet.height());
                }
            }
            if (op == 7) {
                // Both corners of the stretch, where they lie on the sheet, are corners of the rectangle.
                const QRect sheetRect(QPoint(0, 0), sheet);
                const QRect r = rectOf(chosen);
                for (const QPoint p : {down - toQt(state.sheetViewOffset), pointer - toQt(state.sheetViewOffset)}) {
                    if (!sheetRect.contains(p)) continue;
                    ASSERT_TRUE(p.x() == r.x() || p.x() == r.x() + r.width()) << p.x() << " " << r.x();
                    ASSERT_TRUE(p.y() == r.y() || p.y() == r.y() + r.height()) << p.y() << " " << r.y();
                }
            }
        }
    }
}

// Components of the pixels that differ from the bottom-left pixel, joined through their eight neighbours
// by union-find: an answer found another way than the fill under test.
struct Components {
    std::vector<int> parent;
    int width;
    int find(int i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    }
    explicit Components(const QImage& picture) : parent(picture.width() * picture.height()), width(picture.width()) {
        std::iota(parent.begin(), parent.end(), 0);
        const QRgb key = picture.pixel(0, picture.height() - 1);
        const auto figure = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < picture.width() && y < picture.height() && picture.pixel(x, y) != key;
        };
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (!figure(x, y)) continue;
                for (const QPoint d : {QPoint(-1, -1), QPoint(0, -1), QPoint(1, -1), QPoint(-1, 0)}) {
                    if (figure(x + d.x(), y + d.y())) parent[find(y * width + x)] = find((y + d.y()) * width + x + d.x());
                }
            }
        }
    }
    QRect boundsOf(const QImage& picture, QPoint at) {
        QRect bounds;
        const QRgb key = picture.pixel(0, picture.height() - 1);
        const int root = find(at.y() * width + at.x());
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < width; ++x)
                if (picture.pixel(x, y) != key && find(y * width + x) == root) bounds |= QRect(x, y, 1, 1);
        return bounds;
    }
};

TEST(FigureFit, FindsTheSameFiguresAsAnIndependentCountOnCorpusPictures) {
    std::mt19937 rng(7);
    int figuresChecked = 0;
    for (const QFileInfo& file : testDataFiles(QStringLiteral("bmp/good"))) {
        const QImage picture = toQt(decodePicture(fromQtBytes(readFileOrFail(file.filePath()))));
        if (picture.isNull() || qint64(picture.width()) * picture.height() > 200000) continue;
        SCOPED_TRACE(file.fileName().toStdString());
        Components components(picture);
        const QRgb key = picture.pixel(0, picture.height() - 1);
        for (int i = 0; i < 6; ++i) {
            const QPoint at(int(rng() % unsigned(picture.width())), int(rng() % unsigned(picture.height())));
            const QRect found = figureAt(picture, at);
            if (picture.pixel(at) == key) {
                EXPECT_TRUE(found.isEmpty());
                continue;
            }
            EXPECT_EQ(found, components.boundsOf(picture, at)) << at.x() << "," << at.y();
            ++figuresChecked;
        }
        EXPECT_TRUE(figureAt(picture, QPoint(-1, 0)).isEmpty());
        EXPECT_TRUE(figureAt(picture, QPoint(0, picture.height())).isEmpty());
    }
    EXPECT_GT(figuresChecked, 40);
}

// Sheets of random blocks, some touching the sheet's edges, fitted at random points: the frame holds the
// figure with one pixel to spare where the sheet has room, and its bottom-left pixel, the key of the
// frame's transparency, is never a pixel of the figure, so the whole figure is drawn in play.
TEST(FigureFit, TheFrameKeepsAMarginSoThatItsKeyPixelIsNeverTheFigures) {
    std::mt19937 rng(19);
    const auto below = [&rng](int n) { return int(rng() % unsigned(n)); };
    int touchingAnEdge = 0;
    int keyIsBackground = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const QSize size(8 + below(40), 8 + below(40));
        QImage sheet(size, QImage::Format_RGB32);
        const QRgb background = 0xFF00FF00;
        sheet.fill(background);
        for (int b = 1 + below(5); b > 0; --b) {
            const QRect block(below(size.width()), below(size.height()), 1 + below(12), 1 + below(12));
            const QRgb colour = 0xFF000000u | unsigned(1 + below(0xFFFF));
            for (int y = block.top(); y <= std::min(block.bottom(), size.height() - 1); ++y)
                for (int x = block.left(); x <= std::min(block.right(), size.width() - 1); ++x) sheet.setPixel(x, y, colour);
        }
        const QRgb key = sheet.pixel(0, size.height() - 1);
        const QPoint at(below(size.width()), below(size.height()));
        const QRect figure = figureAt(sheet, at);
        if (figure.isEmpty()) continue;
        const QRect frame = frameAroundFigure(figure, size);
        SCOPED_TRACE(trial);
        ASSERT_TRUE(QRect(QPoint(0, 0), size).contains(frame));
        EXPECT_EQ(frame.left(), std::max(figure.left() - 1, 0));
        EXPECT_EQ(frame.top(), std::max(figure.top() - 1, 0));
        EXPECT_EQ(frame.right(), std::min(figure.right() + 1, size.width() - 1));
        EXPECT_EQ(frame.bottom(), std::min(figure.bottom() + 1, size.height() - 1));
        if (frame.left() == figure.left() || frame.bottom() == figure.bottom()) ++touchingAnEdge;

        Components components(sheet);
        const QPoint keyPixel = frame.bottomLeft();
        const int root = components.find(at.y() * size.width() + at.x());
        const bool inFigure = sheet.pixel(keyPixel) != key &&
                              components.find(keyPixel.y() * size.width() + keyPixel.x()) == root;
        EXPECT_FALSE(inFigure) << keyPixel.x() << "," << keyPixel.y();
        if (sheet.pixel(keyPixel) == key) ++keyIsBackground;

        // Stored as the current frame through the double-click's path.
        std::unique_ptr<ProjectRecord> record = ProjectRecord::createBlank();
        EditorState state;
        state.sheetViewOffset = Point{349, 7};
        ASSERT_TRUE(fitFrameToFigure(*record, state, sheet, at + toQt(state.sheetViewOffset)));
        EXPECT_EQ(rectOf(currentFrameOf(*record, state)), frame);
    }
    EXPECT_GT(touchingAnEdge, 20);
    EXPECT_GT(keyIsBackground, 30);
}

// A figure whose bounding box's bottom-left pixel is its own: a tight fit would make the figure's colour
// the key and leave the background around it opaque.
TEST(FigureFit, AFigureWithAFilledCornerIsFittedWithTheBackgroundAsKey) {
    QImage sheet(40, 30, QImage::Format_RGB32);
    sheet.fill(0xFFFF00FF);
    for (int y = 10; y < 20; ++y) sheet.setPixel(10, y, 0xFF202020); // an L: the corner (10, 19) is filled
    for (int x = 10; x < 18; ++x) sheet.setPixel(x, 19, 0xFF202020);
    std::unique_ptr<ProjectRecord> record = ProjectRecord::createBlank();
    EditorState state;
    ASSERT_TRUE(fitFrameToFigure(*record, state, sheet, QPoint(12, 19) + toQt(state.sheetViewOffset)));
    const QRect frame = rectOf(currentFrameOf(*record, state));
    EXPECT_EQ(frame, QRect(9, 9, 10, 12));
    EXPECT_EQ(sheet.pixel(frame.bottomLeft()), 0xFFFF00FFu);
}

TEST(FigureFit, EveryDrawingOfTheDemoSheetFitsInsideItsCell) {
    const demo::SpriteSheet sheet = demo::buildSpriteSheet();
    const QImage& picture = sheet.picture;
    const QRgb key = picture.pixel(0, picture.height() - 1);
    int fitted = 0;
    for (const QList<QRect>& frames : sheet.animations) {
        for (const QRect& cell : frames) {
            // The first drawn pixel of the cell's middle row, or of any row.
            QPoint at(-1, -1);
            for (int dy = 0; dy < cell.height() && at.x() < 0; ++dy) {
                const int y = cell.top() + (cell.height() / 2 + dy) % cell.height();
                for (int x = cell.left(); x <= cell.right(); ++x) {
                    if (picture.pixel(x, y) != key) {
                        at = QPoint(x, y);
                        break;
                    }
                }
            }
            if (at.x() < 0) continue;
            const QRect figure = figureAt(picture, at);
            EXPECT_TRUE(cell.adjusted(1, 1, -1, -1).contains(figure)) << cell.x() << "," << cell.y();
            EXPECT_TRUE(figure.contains(at));
            ++fitted;
        }
    }
    EXPECT_GT(fitted, 30);
}

// "Загрузить набор" on the animator page, with an editor keeping the steps.
class SheetLoading : public PlayFixture {
protected:
    std::unique_ptr<Editor> editor;
    const QString sheetFile = QString::fromStdString(kFakeRoot.data("anim"));

    void SetUp() override {
        PlayFixture::SetUp();
        editing.reset(); // the editor brings its own
        editor = std::make_unique<Editor>(*engine);
        selectPage(*engine, EditorPage::Animator);
    }
    QString offer(const QString& corpusFile) {
        const QString chosen = QStringLiteral("/home/author/") + QFileInfo(corpusFile).fileName();
        world.files.files[chosen] = readTestData(corpusFile);
        return chosen;
    }
    QImage sheet() const { return toQt(std::as_const(engine->pictures().sheetPicture)).copy(); }
    QImage shown() const { return toQt(std::as_const(engine->pictures().backgroundPicture)).copy(); }
};

TEST_F(SheetLoading, ACorruptSheetKeepsTheOldOneAndACancelReadsTheFileAgain) {
    const QByteArray old = world.files.files[sheetFile];
    const QImage oldSheet = sheet();
    for (const char* bad : {"bmp/bad/badrle.bmp", "bmp/bad/shortfile.bmp", "bmp/bad/badbitcount.bmp"}) {
        world.messages.errors.clear();
        const QString chosen = offer(QLatin1String(bad));
        world.dialogs.answers << chosen;
        loadSheet(*editor);
        EXPECT_EQ(world.dialogs.asked.last(), QStringLiteral("open:Bitmaps (*.bmp)"));
        ASSERT_EQ(world.messages.errors.size(), 1) << bad;
        EXPECT_TRUE(world.messages.errors[0].contains(chosen));
        EXPECT_EQ(world.files.files[sheetFile], old);
        EXPECT_EQ(sheet(), oldSheet);
        EXPECT_EQ(shown(), oldSheet);
    }
    EXPECT_FALSE(editor->journal().canUndo());

    // The file changed on disk behind the program's back; a cancelled dialog still reads it again.
    const QImage red = solidPicture(40, 30, Qt::red);
    world.files.files[sheetFile] = toQtBytes(encodeBmp(fromQt(red)));
    loadSheet(*editor);
    EXPECT_EQ(sheet().size(), QSize(40, 30));
    EXPECT_EQ(sheet().pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(shown().pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_FALSE(editor->journal().canUndo());
}

TEST_F(SheetLoading, AGoodSheetReplacesTheFileAsOneStep) {
    const QByteArray old = world.files.files[sheetFile];
    const QString chosen = offer(QStringLiteral("bmp/good/rgb24.bmp"));
    const QImage expected = toQt(decodePicture(fromQtBytes(world.files.files[chosen])));
    world.dialogs.answers << chosen;
    loadSheet(*editor);
    EXPECT_TRUE(world.messages.errors.isEmpty());
    EXPECT_EQ(sheet(), expected);
    EXPECT_EQ(shown(), expected);
    EXPECT_EQ(editor->undo(), Editor::Outcome::Applied);
    EXPECT_EQ(world.files.files[sheetFile], old);
    EXPECT_EQ(sheet(), toQt(decodePicture(fromQtBytes(old))));
}

} // namespace
} // namespace tw::test
