#include "page_setup.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>

const QPageLayout& FormPageLayout()
{
    static const QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                    QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    return layout;
}
