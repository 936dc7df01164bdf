// The numeric spin field: an edit with a pair of stacked arrow buttons inside its right end.
#pragma once

#include "qt/edit.h"

namespace tabulor {

class TArrowButton;
class TSpinKeyFilter;

// Its text is what it holds: the value is worked out from the text whenever it is read, and
// only a step rewrites the text. Leaving the field never does.
class TSpinEdit : public TEdit {
    Q_OBJECT
    Q_PROPERTY(int MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(int Increment READ Increment WRITE SetIncrement)
    Q_PROPERTY(int Value READ Value WRITE SetValue)
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    int MinValue() const { return FMinValue; }
    void SetMinValue(int value) { FMinValue = value; }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int value) { FMaxValue = value; }
    int Increment() const { return FIncrement; }
    void SetIncrement(int value) { FIncrement = value; }

    int Value() const;
    void SetValue(int value);

    void UpClick();
    void DownClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ArrowPressed();
    void PlaceArrowButtons();

    int FMinValue = 0;
    int FMaxValue = 0;
    int FIncrement = 1;
    TSpinKeyFilter* KeyFilter;
    TArrowButton* UpButton;
    TArrowButton* DownButton;
};

}  // namespace tabulor
