#include "page_setup.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

namespace formulario {

namespace {

constexpr int kPrintDpi = 300;

}  // namespace

const QPageLayout& FormPageLayout()
{
    static const QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                    QPageLayout::Millimeter);
    return layout;
}

void UseFormPageSetup(QPrinter& printer)
{
    printer.setResolution(kPrintDpi);
    printer.setPageLayout(FormPageLayout());
}

}  // namespace formulario
