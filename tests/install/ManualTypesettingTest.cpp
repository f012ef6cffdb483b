// The manual's typesetter: chapters on pages of their own, a table of contents that names the
// right pages, pictures neither cut by the foot of a page nor wider than the text, and a manual
// with a missing picture refused instead of shipped with a hole.

#include "paper/ManualTypesetter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <gtest/gtest.h>

#include <map>

using namespace alvetra::manual;

namespace {

QByteArray paragraphs(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += "Akapit tekstu, który zajmuje mniej więcej dwie linie na stronie A4, aby wypełnić "
                "kilka stron instrukcji i sprawdzić numery stron w spisie treści.\n\n";
    return text;
}

class ManualTypesettingTest : public ::testing::Test {
protected:
    void write(const QString &name, const QByteArray &text)
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    void picture(const QString &name, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGray);
        ASSERT_TRUE(image.save(dir.filePath(name)));
    }
    std::unique_ptr<QTextDocument> typeset(const QByteArray &markdown)
    {
        return typesetManual(QString::fromUtf8(markdown), QUrl::fromLocalFile(dir.path() + QLatin1Char('/')),
                             ManualLayout::a4().body, &missing);
    }
    static int blockOf(const QTextDocument &pages, const QString &text, int level)
    {
        for (QTextBlock block = pages.begin(); block.isValid(); block = block.next())
            if (block.text() == text && block.blockFormat().headingLevel() == level)
                return block.blockNumber();
        ADD_FAILURE() << "no heading " << text.toStdString();
        return -1;
    }
    // Chapter name -> page number, as the table of contents lists them.
    static std::map<QString, int> contents(const QTextDocument &pages)
    {
        std::map<QString, int> listed;
        for (QTextBlock block = pages.begin(); block.isValid(); block = block.next()) {
            const QStringList parts = block.text().split(QLatin1Char('\t'));
            if (parts.size() == 2 && block.blockFormat().headingLevel() == 0)
                listed[parts[0]] = parts[1].toInt();
        }
        return listed;
    }

    QTemporaryDir dir;
    QStringList missing;
};

} // namespace

TEST_F(ManualTypesettingTest, ContentsNamesThePageOfEveryChapter)
{
    const auto pages = typeset("# Tytuł\n\nWstęp.\n\n<!-- spis treści -->\n\n## Krótki\n\nTekst.\n\n## Długi\n\n"
                               + paragraphs(70) + "## Ostatni\n\nTekst.\n");
    const std::map<QString, int> listed = contents(*pages);
    ASSERT_EQ(listed.size(), 3u);
    for (const QString &chapter : {QStringLiteral("Krótki"), QStringLiteral("Długi"), QStringLiteral("Ostatni")})
        EXPECT_EQ(listed.at(chapter), pageOfBlock(*pages, blockOf(*pages, chapter, 2))) << chapter.toStdString();
    // The title page, a page for the short chapter, several for the long one.
    EXPECT_EQ(listed.at(QStringLiteral("Krótki")), 2);
    EXPECT_EQ(listed.at(QStringLiteral("Długi")), 3);
    EXPECT_GT(listed.at(QStringLiteral("Ostatni")), 4);
    EXPECT_EQ(pages->pageCount(), listed.at(QStringLiteral("Ostatni")));
}

TEST_F(ManualTypesettingTest, ADocumentThatStartsWithAChapterHasNoEmptyFirstPage)
{
    const auto pages = typeset("## Rozdział\n\nTekst.\n\n## Następny\n\nTekst.\n");
    EXPECT_EQ(pageOfBlock(*pages, blockOf(*pages, QStringLiteral("Rozdział"), 2)), 1);
    EXPECT_EQ(pageOfBlock(*pages, blockOf(*pages, QStringLiteral("Następny"), 2)), 2);
    EXPECT_EQ(pages->pageCount(), 2);
}

TEST_F(ManualTypesettingTest, APictureAtTheFootOfAPageMovesWholeWithItsHeading)
{
    picture(QStringLiteral("okno.png"), QSize(741, 508));
    // Filler that leaves less room on the first page than the picture needs, wherever the page
    // ends exactly.
    for (int filler = 20; filler <= 34; filler += 2) {
        const auto pages = typeset("## Rozdział\n\n" + paragraphs(filler) + "### Okno\n\n![okno](okno.png)\n\nPo obrazku.\n");
        const int heading = blockOf(*pages, QStringLiteral("Okno"), 3);
        const int pictureBlock = heading + 1;
        ASSERT_TRUE(isPicture(pages->findBlockByNumber(pictureBlock)));
        EXPECT_FALSE(straddlesPages(*pages, pictureBlock)) << filler;
        EXPECT_EQ(pageOfBlock(*pages, heading), pageOfBlock(*pages, pictureBlock)) << filler;
    }
    EXPECT_TRUE(missing.isEmpty());
}

TEST_F(ManualTypesettingTest, WidePicturesShrinkToTheTextAndKeepTheirProportions)
{
    picture(QStringLiteral("szeroki.png"), QSize(2000, 500));
    picture(QStringLiteral("maly.png"), QSize(100, 40));
    const auto pages = typeset("## R\n\n![a](szeroki.png)\n\n![b](maly.png)\n");
    std::vector<QTextImageFormat> images;
    for (QTextBlock block = pages->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                images.push_back(it.fragment().charFormat().toImageFormat());
    ASSERT_EQ(images.size(), 2u);
    const qreal textWidth = ManualLayout::a4().body.width();
    EXPECT_DOUBLE_EQ(images[0].width(), textWidth);
    EXPECT_NEAR(images[0].height(), textWidth / 4, 0.01);
    EXPECT_DOUBLE_EQ(images[1].width(), 100);
    EXPECT_DOUBLE_EQ(images[1].height(), 40);
}

TEST_F(ManualTypesettingTest, MissingPicturesAreListed)
{
    picture(QStringLiteral("jest.png"), QSize(10, 10));
    typeset("## R\n\n![a](jest.png)\n\n![b](nie-ma.png)\n");
    EXPECT_EQ(missing, QStringList{QStringLiteral("nie-ma.png")});
}

// ---- the program that writes the PDF

namespace {

class ManualProgramTest : public ManualTypesettingTest {
protected:
    int run(const QString &source)
    {
        QProcess tool;
        tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        tool.start(QStringLiteral(ALVETRA_MANUAL_TOOL), {dir.filePath(source), pdfPath()});
        EXPECT_TRUE(tool.waitForFinished(30000));
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    }
    QString pdfPath() const { return dir.filePath(QStringLiteral("out.pdf")); }
    QString pdf() const
    {
        QFile file(pdfPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }
};

} // namespace

TEST_F(ManualProgramTest, WritesEveryPageAndPicture)
{
    write(QStringLiteral("m.md"), "# Tytuł\n\n<!-- spis treści -->\n\n## Pierwszy\n\nTekst.\n\n"
                                  "## Drugi\n\n![Okno](okno.png)\n");
    picture(QStringLiteral("okno.png"), QSize(741, 508));
    ASSERT_EQ(run(QStringLiteral("m.md")), 0);
    EXPECT_EQ(pdf().count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), 3);
    EXPECT_EQ(pdf().count(QStringLiteral("/Subtype /Image")), 1);
}

TEST_F(ManualProgramTest, AMissingPictureFailsAndWritesNoManual)
{
    write(QStringLiteral("m.md"), "## Rozdział\n\n![Brak](nie-ma.png)\n");
    EXPECT_NE(run(QStringLiteral("m.md")), 0);
    EXPECT_FALSE(QFile::exists(pdfPath()));
}
