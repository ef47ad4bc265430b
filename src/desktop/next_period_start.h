#pragma once

#include "host/next_period.h"

#include <QMetaObject>
#include <QObject>

namespace formulario {

class CDraftKeeper;
class CFormulario7316View;
class HostUi;

// "Nueva a partir de una anterior...": a new declaration on the blank form,
// filled from an earlier one (its NIT, name, brands, prices and bases) for
// the month after its period. The form gives it a new number and computes
// every box; the earlier file is only read.
class CNextPeriodStart : public QObject {
    Q_OBJECT
public:
    // Messages once the form is filled go through `ui`.
    CNextPeriodStart(CFormulario7316View& view, CDraftKeeper& drafts, HostUi& ui, QObject* parent);

    // Reads the chosen declaration `path` as Consult reads it and, when it
    // is not refused, starts the new form; false when nothing was started.
    bool Start(const std::string& path);

signals:
    // The new form is filled and its period set.
    void started();

private:
    void SetPeriod(const PeriodMonth& next, const PeriodMonth& saved);

    CFormulario7316View& m_view;
    CDraftKeeper& m_drafts;
    HostUi& m_ui;
    CPageText m_page;
    QMetaObject::Connection m_waiting;
};

}  // namespace formulario
