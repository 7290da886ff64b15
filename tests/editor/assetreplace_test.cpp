// An asset file replaced by a file the author chose: only a file that decodes replaces anything, a
// failure is reported and leaves the old file and the picture in memory, and undo puts the old file back.
#include "editor/editor.h"
#include "platform/picturecodec.h"
#include "project/assetcheck.h"
#include "runtime/playfixture.h"
#include "support/testdata.h"
#include "toolkit/toolkittypes.h"

namespace tw::test {
namespace {

class AssetReplace : public PlayFixture {
protected:
    std::unique_ptr<Editor> editor;
    QString target = QString::fromStdString(kFakeRoot.scene(1)); // the scene shown

    void SetUp() override {
        PlayFixture::SetUp();
        editing.reset(); // the editor brings its own
        editor = std::make_unique<Editor>(*engine);
    }
    // Offers a corpus file through the fake tree under a path of the author's choosing.
    QString offer(const QString& corpusFile) {
        const QString chosen = QStringLiteral("/home/author/") + QFileInfo(corpusFile).fileName();
        world.files.files[chosen] = readTestData(corpusFile);
        return chosen;
    }
    QRgb shownColour() const { return engine->pictures().backgroundPicture.pixel(0, 0); }
};

TEST_F(AssetReplace, AFileThatDoesNotDecodeOrCannotBeWrittenReplacesNothing) {
    const QByteArray old = world.files.files[target];
    const QRgb colour = shownColour();
    struct Case {
        QString chosen;
        AssetKind kind;
    };
    const Case cases[] = {
        {offer(QStringLiteral("bmp/bad/badbitcount.bmp")), AssetKind::Picture},
        {offer(QStringLiteral("sound/sdl_mixer_sword.wav")), AssetKind::Picture},
        {offer(QStringLiteral("bmp/good/pal8.bmp")), AssetKind::Wave},
        {QStringLiteral("/home/author/missing.bmp"), AssetKind::Picture},
    };
    for (const Case& c : cases) {
        world.messages.errors.clear();
        EXPECT_FALSE(editor->replaceFile(target.toStdString(), c.kind, c.chosen));
        ASSERT_EQ(world.messages.errors.size(), 1);
        EXPECT_TRUE(world.messages.errors[0].contains(c.chosen)) << world.messages.errors[0].toStdString();
    }
    // A good file whose copy fails.
    world.messages.errors.clear();
    world.files.failWritesTo << target;
    EXPECT_FALSE(editor->replaceFile(target.toStdString(), AssetKind::Picture, offer(QStringLiteral("bmp/good/pal8.bmp"))));
    ASSERT_EQ(world.messages.errors.size(), 1);
    EXPECT_TRUE(world.messages.errors[0].contains(target));

    EXPECT_EQ(world.files.files[target], old);
    EXPECT_EQ(shownColour(), colour);
    EXPECT_FALSE(editor->journal().canUndo());
}

TEST_F(AssetReplace, AGoodFileIsCopiedShownAndTakenBackByUndo) {
    const QByteArray old = world.files.files[target];
    const QRgb colour = shownColour();
    const QString chosen = offer(QStringLiteral("bmp/good/rgb24.bmp"));
    ASSERT_TRUE(editor->replaceFile(target.toStdString(), AssetKind::Picture, chosen));
    EXPECT_EQ(world.files.files[target], world.files.files[chosen]);
    const QRgb replaced = toQt(decodePicture(fromQtBytes(world.files.files[chosen]))).pixel(0, 0);
    EXPECT_EQ(shownColour(), replaced);

    EXPECT_EQ(editor->undo(), Editor::Outcome::Applied);
    EXPECT_EQ(world.files.files[target], old);
    EXPECT_EQ(shownColour(), colour);
    EXPECT_EQ(editor->redo(), Editor::Outcome::Applied);
    EXPECT_EQ(world.files.files[target], world.files.files[chosen]);
    EXPECT_EQ(shownColour(), replaced);

    // A file that did not exist before is removed again by undo; a count raised with it goes back too.
    const QString added = QString::fromStdString(kFakeRoot.scene(4));
    world.files.files.remove(added);
    editor->change([&] {
        if (editor->replaceFile(added.toStdString(), AssetKind::Picture, chosen)) record().sceneCount = 4;
    });
    EXPECT_EQ(record().sceneCount, 4);
    EXPECT_EQ(editor->undo(), Editor::Outcome::Applied);
    EXPECT_FALSE(world.files.files.contains(added));
    EXPECT_EQ(record().sceneCount, 3);
}

} // namespace
} // namespace tw::test
