#include "app/Certificate/CertificatePdf.h"

#include "app/Certificate/CertificateHtml.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

QByteArray CertificatePdf::bytes(const QJsonObject& document) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(16, 14, 16, 18), QPageLayout::Millimeter));
    writer.setResolution(300);
    writer.setTitle(QStringLiteral("Certificate of Data Erasure %1")
                        .arg(document.value(QLatin1String("id")).toString()));
    writer.setCreator(QStringLiteral("Korvane Data Eraser"));

    QPainter painter(&writer);
    const QRect page = writer.pageLayout().paintRectPixels(writer.resolution());
    const qreal footerHeight = writer.resolution() * 0.3; // about 7.5 mm
    // The page's text is laid out at 96 dots per inch and scaled to the writer's resolution,
    // so point sizes print at their size.
    const qreal scale = writer.resolution() / 96.0;
    QTextDocument text;
    text.setDocumentMargin(0);
    text.setHtml(CertificateHtml::page(document));
    const QSizeF body(page.width() / scale, (page.height() - footerHeight) / scale);
    text.setPageSize(body);
    const int pages = text.pageCount();
    const QString id = document.value(QLatin1String("id")).toString();
    for (int n = 0; n < pages; ++n) {
        if (n > 0)
            writer.newPage();
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, -n * body.height());
        const QRectF clip(0, n * body.height(), body.width(), body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        painter.setClipRect(clip);
        text.documentLayout()->draw(&painter, context);
        painter.restore();
        painter.save();
        QFont small(QStringLiteral("DejaVu Sans"));
        small.setPointSizeF(7);
        painter.setFont(small);
        painter.setPen(QColor(0x4a, 0x50, 0x68));
        const QRectF foot(0, page.height() - footerHeight * 0.7, page.width(), footerHeight * 0.7);
        painter.drawText(foot, Qt::AlignLeft | Qt::AlignBottom,
                         QStringLiteral("Certificate of Data Erasure %1").arg(id));
        painter.drawText(foot, Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("Page %1 of %2").arg(n + 1).arg(pages));
        painter.restore();
    }
    painter.end();
    return pdf;
}
