#pragma once

class QDockWidget;

// Widens a panel of fixed size until every text on it shows whole: each
// label's and button's text within its widget, and the title within the
// title bar beside its buttons. The height stays. Texts differ in width
// between the interface languages, so the width comes from the texts shown.
void fitPanelToTexts(QDockWidget *panel);

// Whether the panel's title shows whole beside its float and close buttons.
bool titleFits(const QDockWidget *panel);
// Whether every label and button of the panel shows its whole text.
bool textsFit(const QDockWidget *panel);
