// Pages and their files: which file a save of all writes, which pictures
// follow their files, and a picture read again in place.
#include <string>

#include "formats/tga_file.h"
#include "test_support.h"
#include "work/history.h"
#include "work/page_files.h"

namespace zentil {
namespace {

TEST(PageFilesTest, TheFormatOfThePagesFileDecides) {
    const struct {
        const char* path;
        const char* spriteFile;  // what a save of all writes to
        bool follows;
    } cases[] = {
        {"", "", false},
        {"/work/hero.gpf", "/work/hero.gpf", false},
        {"/work/Hero.GPF", "/work/Hero.GPF", false},
        {"/work/hero.gpf.tga", "/work/hero.gpf.tga", false},  // loaded as a sprite file
        {"/art/sheet.tga", "", true},
        {"/art/sheet.png", "", true},
        {"/art/notes.txt", "", false},
        {"/art.gpf/sheet.tga", "", true},  // only the file name counts
    };
    for (const auto& c : cases) {
        Workspace ws;
        const Page& page =
            ws.pictures.at(ws.pictures.append(std::make_unique<Page>(), PageFile{c.path, 0}));
        EXPECT_EQ(spriteFileOf(ws, page), c.spriteFile) << c.path;
        EXPECT_EQ(followsItsFile(ws, page), c.follows) << c.path;
    }
}

TEST(PageFilesTest, APictureIsReadAgainInPlaceAndUndoBringsTheOldOneBack) {
    const std::string path = ::testing::TempDir() + "그림 다시.tga";
    Page drawn;
    ASSERT_TRUE(createPage(drawn, 8, 1, 4, 1, kMode8));
    putPixel(drawn, 1, 1, 7);
    ASSERT_TRUE(writeTgaFile(path, drawn));

    Workspace ws;
    auto owned = std::make_unique<Page>();
    ASSERT_TRUE(readTgaFile(path, *owned, {}));
    setPageName(*owned, "SHEET");
    Page& page = ws.pictures.at(ws.pictures.append(std::move(owned), PageFile{path, 0}));
    ws.markSaved(page);

    // The painting program saves a larger picture.
    Page redrawn;
    ASSERT_TRUE(createPage(redrawn, 12, 1, 5, 1, kMode8));
    putPixel(redrawn, 11, 4, 9);
    ASSERT_TRUE(writeTgaFile(path, redrawn));
    Outcome outcome;
    History history;
    history.push(reloadPage(ws, page, outcome));
    ASSERT_TRUE(outcome);
    EXPECT_EQ(&ws.pictures.at(0), &page);
    EXPECT_EQ(pageName(page), "SHEET");
    EXPECT_EQ(ws.filePath(page), path);
    EXPECT_EQ(page.width, 12);
    EXPECT_EQ(pixelAt(page, 11, 4), 9u);
    EXPECT_FALSE(ws.modified(page));

    // A file caught half-written keeps the page as it is.
    {
        std::FILE* cut = std::fopen(path.c_str(), "wb");
        std::fputs("TGA", cut);
        std::fclose(cut);
    }
    EXPECT_EQ(reloadPage(ws, page, outcome), nullptr);
    EXPECT_FALSE(outcome);
    EXPECT_EQ(page.width, 12);

    ASSERT_NE(history.undo(ws), nullptr);
    EXPECT_EQ(page.width, 8);
    EXPECT_EQ(pixelAt(page, 1, 1), 7u);
    EXPECT_EQ(ws.filePath(page), path);
}

}  // namespace
}  // namespace zentil
