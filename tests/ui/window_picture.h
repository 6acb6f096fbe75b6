// What the picture of a shown window must carry: something drawn, every
// shown control inside its parent, every caption whole and visible. The
// picture is grabbed into memory; nothing is written to disk.
#pragma once

#include <QImage>
#include <gtest/gtest.h>

class QWidget;

// Passes when `window` is shown, its picture is not one flat colour, every
// shown child lies inside its parent (the contents of scrolled areas
// excepted), every label's and button's text fits the room its style gives
// it, and each caption's area of the picture is not one flat colour.
::testing::AssertionResult drawnWhole(QWidget &window);

// The number of pixels in which two pictures differ; -1 when their sizes do.
int differingPixels(const QImage &a, const QImage &b);
