#include "window/picture_export.h"

#include "form/layout.h"
#include "plot/redraw.h"
#include "views/outputs.h"
#include "views/picture.h"
#include "toolkit/qt/painter_canvas.h"
#include "toolkit/qt/raster_canvas.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImageWriter>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace viramont {

namespace {

// Icons hold at most 256 x 256 pixels: too small for the picture.
bool isIconFormat(const QByteArray& format) { return format == "ico" || format == "cur" || format == "icns"; }

// The format an extension names: "jpg" and "jpeg" are one format.
QByteArray formatName(const QByteArray& extension) {
    if (extension == "jpg") return "jpeg";
    if (extension == "tif") return "tiff";
    return extension;
}

QByteArray formatOfPath(const QString& path) {
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    if (isIconFormat(suffix)) return {};
    return QImageWriter::supportedImageFormats().contains(suffix) ? suffix : QByteArray();
}

QString quoted(const QString& text) { return QStringLiteral("«%1»").arg(text); }

// What stopped a file from being written, as the window says it.
QString noFolder(const QFileInfo& folder) {
    return QStringLiteral("Папки %1 нет.").arg(quoted(QDir::toNativeSeparators(folder.filePath())));
}
QString notOpened() { return QStringLiteral("Файл не открывается для записи."); }
QString writingBroke() { return QStringLiteral("Запись прервалась: возможно, на диске нет места."); }

} // namespace

QImage composePicture(const PictureParts& parts) {
    const double dpr = parts.graph.devicePixelRatio();
    auto boxOf = [](QPoint at, const QImage& image) {
        const QSizeF size = image.deviceIndependentSize();
        return view::Box{double(at.x()), double(at.y()), size.width(), size.height()};
    };
    const QFontMetricsF metrics(parts.font);
    const view::PictureLayout layout =
        view::pictureLayout(boxOf(parts.graphAt, parts.graph), boxOf(parts.legendAt, parts.legend),
                            parts.formula.toStdString(), metrics.horizontalAdvance(parts.formula), metrics.height());

    QImage picture(static_cast<int>(std::lround(layout.width * dpr)), static_cast<int>(std::lround(layout.height * dpr)),
                   QImage::Format_RGB32);
    picture.setDevicePixelRatio(dpr);
    picture.fill(QColor(redOf(layout::kPaper), greenOf(layout::kPaper), blueOf(layout::kPaper)));

    QPainter painter(&picture);
    if (layout.hasFormula) {
        const view::Box& f = layout.formula;
        painter.setFont(parts.font);
        painter.setPen(parts.ink);
        painter.drawText(QRectF(f.x, f.y, f.width, f.height), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         parts.formula);
    }
    painter.drawImage(QPointF(layout.graph.x, layout.graph.y), parts.graph);
    painter.drawImage(QPointF(layout.legend.x, layout.legend.y), parts.legend);
    painter.end();
    return picture;
}

QString formulaLineOf(const QString& text5) { return QString::fromStdString(view::formulaLine(text5.toStdString())); }

QStringList savedFormatFilters() {
    std::vector<std::pair<QByteArray, QStringList>> formats;  // name, patterns
    for (const QByteArray& extension : QImageWriter::supportedImageFormats()) {
        if (isIconFormat(extension)) continue;
        const QByteArray name = formatName(extension);
        auto it = std::find_if(formats.begin(), formats.end(), [&](const auto& f) { return f.first == name; });
        if (it == formats.end()) it = formats.insert(name == "png" ? formats.begin() : formats.end(), std::pair(name, QStringList()));
        it->second.push_back(QStringLiteral("*.") + QString::fromLatin1(extension));
    }
    QStringList filters;
    for (const auto& [name, patterns] : formats) {
        filters.push_back(QStringLiteral("%1 (%2)").arg(QString::fromLatin1(name).toUpper(), patterns.join(QLatin1Char(' '))));
    }
    return filters;
}

std::optional<QString> savePicture(const QImage& picture, const QString& path) {
    const QFileInfo target(path);
    const QByteArray format = formatOfPath(path);
    if (format.isEmpty()) {
        return QStringLiteral("В формате с расширением %1 рисунок записать нельзя. Выберите тип файла из списка.")
            .arg(quoted(QLatin1Char('.') + target.suffix()));
    }
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir()) return noFolder(folder);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return (target.exists() && !target.isWritable()) || !folder.isWritable()
                   ? QStringLiteral("Нет права записи в этот файл или в его папку.")
                   : notOpened();
    }
    QImageWriter writer(&file, format);
    if (!writer.write(picture) || !file.commit()) {
        // The temporary file goes with `file`; the chosen name stays as it was.
        return writingBroke();
    }
    return std::nullopt;
}

void setUpPrinter(QPrinter& printer, const QString& docName) {
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(docName);
}

namespace {

void drawCanvas(QPainter& painter, const QRectF& box, double scale, const CanvasParts& canvas,
                const std::function<void(Canvas&)>& draw) {
    PainterCanvas paper(painter, box, scale, canvas.fore, canvas.back, canvas.font);
    paper.clear();
    draw(paper);
}

} // namespace

void paintPaper(QPainter& painter, const QRectF& page, const PaperParts& parts) {
    double band = 0;
    if (!parts.formula.isEmpty()) {
        QFont font = parts.formulaFont;
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setPixelSize(std::max(1, static_cast<int>(page.height() * view::kPaperFormulaShare)));
        const double wide = QFontMetricsF(font, painter.device()).horizontalAdvance(parts.formula);
        if (wide > page.width()) font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * page.width() / wide)));
        const QFontMetricsF metrics(font, painter.device());
        painter.setFont(font);
        painter.setPen(parts.ink);
        painter.drawText(QPointF(page.left(), page.top() + metrics.ascent()), parts.formula);
        band = metrics.height() * view::kPaperLineSpacing;
    }
    const QRectF canvases = QRectF(parts.graph.box).united(QRectF(parts.legend.box));
    const QRectF room(page.left(), page.top() + band, page.width(), page.height() - band);
    const double scale = std::min(room.width() / canvases.width(), room.height() / canvases.height());
    const QPointF origin(room.left() + (room.width() - canvases.width() * scale) / 2, room.top());
    auto boxOf = [&](const CanvasParts& c) {
        return QRectF(origin + (QPointF(c.box.topLeft()) - canvases.topLeft()) * scale, QSizeF(c.box.size()) * scale);
    };
    drawCanvas(painter, boxOf(parts.graph), scale, parts.graph, [&](Canvas& graph) {
        if (parts.drawGraph) parts.drawGraph(graph);
    });
    drawCanvas(painter, boxOf(parts.legend), scale, parts.legend,
               [&](Canvas& legend) { redrawLegend(parts.legendPrints, legend); });
}

QImage largerPicture(const PaperParts& parts, double ratio) {
    const CanvasParts& g = parts.graph;
    RasterCanvas graph(g.box.width(), g.box.height(), ratio, g.fore, g.back, g.font);
    if (parts.drawGraph) parts.drawGraph(graph);
    const CanvasParts& l = parts.legend;
    RasterCanvas legend(l.box.width(), l.box.height(), ratio, l.fore, l.back, l.font);
    redrawLegend(parts.legendPrints, legend);
    return composePicture({
        .graph = graph.image(),
        .graphAt = parts.graph.box.topLeft(),
        .legend = legend.image(),
        .legendAt = parts.legend.box.topLeft(),
        .formula = parts.formula,
        .font = parts.formulaFont,
        .ink = parts.ink,
    });
}

std::optional<QString> savePaperPdf(const PaperParts& parts, const QString& path) {
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir()) return noFolder(folder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return notOpened();
    {
        QPdfWriter pdf(&file);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        pdf.setResolution(600);
        pdf.setTitle(QString::fromUtf8(view::kPictureOutput.docName));
        QPainter painter;
        if (!painter.begin(&pdf)) return notOpened();
        paintPaper(painter, painter.viewport(), parts);
        painter.end();
    }
    if (!file.commit()) return writingBroke();
    return std::nullopt;
}

bool printPicture(const QImage& picture, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRect page = painter.viewport();
    QRect target(QPoint(0, 0), picture.size().scaled(page.size(), Qt::KeepAspectRatio));
    target.moveCenter(page.center());
    painter.drawImage(target, picture);
    return painter.end() && printer.printerState() != QPrinter::Error;
}

bool printPaper(const PaperParts& parts, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    paintPaper(painter, painter.viewport(), parts);
    return painter.end() && printer.printerState() != QPrinter::Error;
}

} // namespace viramont
