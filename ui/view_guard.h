// Included first by every view and dialog header: the model library must
// never depend on widgets, so including a view from model code fails here.
#pragma once

#if defined(PLENVO_MODEL_CODE)
#error "A view or dialog header was included from model code; the model must not depend on widgets."
#endif
#if !defined(QT_WIDGETS_LIB)
#error "View and dialog headers need Qt Widgets; link plenvo_ui."
#endif
