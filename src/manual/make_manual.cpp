// Turns the user's manual, written in Markdown with its pictures beside it, into a PDF of A4 pages.
//   zelk-manual INPUT.md OUTPUT.pdf
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>
#include <cstdio>

namespace {

// Pictures as wide as the text, however many pixels they have.
void FitPictures(QTextDocument& document, double width) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            if (!picture.isValid()) {
                continue;
            }
            picture.setWidth(width);
            picture.clearProperty(QTextFormat::ImageHeight);  // keeps the picture's proportions
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
    }
}

const QColor kHeadingColour(26, 79, 139);

// Headings in the program's blue, with room above them.
void StyleHeadings(QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 0) {
            continue;
        }
        QTextCursor cursor(block);
        QTextBlockFormat spacing = block.blockFormat();
        spacing.setTopMargin(level == 1 ? 0 : 14);
        spacing.setBottomMargin(level == 1 ? 10 : 4);
        cursor.setBlockFormat(spacing);
        cursor.select(QTextCursor::BlockUnderCursor);
        QTextCharFormat look;
        look.setForeground(kHeadingColour);
        look.setFontPointSize(level == 1 ? 18 : level == 2 ? 14 : 11.5);
        look.setFontWeight(QFont::Bold);
        cursor.mergeCharFormat(look);
    }
}

// Tables across the text width, thin lines, the header row shaded.
void StyleTables(QTextFrame* frame) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat format = table->format();
            format.setBorder(0.5);
            format.setBorderBrush(QColor(154, 174, 198));
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderCollapse(true);
            format.setCellSpacing(0);
            format.setCellPadding(3);
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            format.setTopMargin(4);
            format.setBottomMargin(8);
            table->setFormat(format);
            for (int col = 0; col < table->columns(); ++col) {
                QTextTableCellFormat head = table->cellAt(0, col).format().toTableCellFormat();
                head.setBackground(QColor(221, 232, 245));
                table->cellAt(0, col).setFormat(head);
            }
        }
        StyleTables(child);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: zelk-manual INPUT.md OUTPUT.pdf\n");
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    QFile source(input);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }

    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setTitle(QString::fromUtf8("ZELK Schnittlängenoptimierung – Anleitung"));
    writer.setCreator("ZELK");
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter));

    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(input).absolutePath() + "/"));
    QFont font("DejaVu Sans");
    font.setPointSizeF(10);
    document.setDefaultFont(font);
    document.setDefaultStyleSheet("h1, h2, h3 { color: #1a4f8b; }");
    document.setMarkdown(QString::fromUtf8(source.readAll()));

    // The page as the document lays it out: the printable area, in the units of a screen at
    // 96 dots per inch, in which printing measures a document.
    const QSizeF page = writer.pageLayout().paintRect(QPageLayout::Inch).size() * 96;
    document.setPageSize(page);
    StyleHeadings(document);
    StyleTables(document.rootFrame());
    FitPictures(document, page.width() * 0.8);
    document.print(&writer);
    return 0;
}
