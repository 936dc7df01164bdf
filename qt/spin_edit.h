// The numeric spin field: an edit with a pair of stacked arrow buttons inside its right end.
#pragma once

#include "qt/edit.h"

namespace tabulor {

class TArrowButton;
class TSpinKeyFilter;

// Its text is what it holds: the request works the value out from the text, and only a step
// rewrites the text. Leaving the field never does. The bounds and the increment are the
// layout's.
class TSpinEdit : public TEdit {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ArrowPressed();
    void PlaceArrowButtons();
    // Up for +1, down for -1.
    void Step(int direction);

    TSpinKeyFilter* KeyFilter;
    TArrowButton* UpButton;
    TArrowButton* DownButton;
};

}  // namespace tabulor
