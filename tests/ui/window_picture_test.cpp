// The picture check of the widget tests finds each fault it is meant to find
// and passes a sound window.
#include "ui_test_app.h"
#include "window_picture.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct PictureCase {
    const char *name;
    std::function<void(QDialog &)> spoil; // what goes wrong with the window
    const char *fault;                    // part of the failure message; empty when sound
};

class WindowPicture : public ::testing::TestWithParam<PictureCase> {};

TEST_P(WindowPicture, FindsWhatIsWrong)
{
    ensureUiTestApp();
    QDialog window;
    auto *layout = new QVBoxLayout(&window);
    auto *label = new QLabel(QStringLiteral("No. of readings to change:"), &window);
    auto *option = new QRadioButton(QStringLiteral("Rightmost Reading"), &window);
    auto *ok = new QPushButton(QStringLiteral("OK"), &window);
    label->setObjectName("Label3");
    option->setObjectName("Option3");
    ok->setObjectName("Command1");
    layout->addWidget(label);
    layout->addWidget(option);
    layout->addWidget(ok);
    window.show();
    GetParam().spoil(window);
    const ::testing::AssertionResult result = drawnWhole(window);
    const std::string fault = GetParam().fault;
    if (fault.empty()) {
        EXPECT_TRUE(result);
    } else {
        EXPECT_FALSE(result);
        EXPECT_NE(std::string(result.message()).find(fault), std::string::npos) << result.message();
    }
}

template <typename W> W *child(QDialog &w, const char *name)
{
    return w.findChild<W *>(QString::fromLatin1(name));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowPicture,
    ::testing::Values(
        PictureCase{"Sound", [](QDialog &) {}, ""},
        PictureCase{"NotShown", [](QDialog &w) { w.hide(); }, "is not shown"},
        PictureCase{"Empty",
                    [](QDialog &w) {
                        for (QWidget *c : w.findChildren<QWidget *>()) {
                            c->hide();
                        }
                    },
                    "is drawn as one colour"},
        PictureCase{"LabelTooNarrow", [](QDialog &w) { child<QLabel>(w, "Label3")->setFixedWidth(40); },
                    "Label3 \"No. of readings to change:\" is cut off"},
        PictureCase{"LabelTooLow", [](QDialog &w) { child<QLabel>(w, "Label3")->setFixedHeight(4); },
                    "Label3 \"No. of readings to change:\" is cut off"},
        PictureCase{"OptionTooNarrow",
                    [](QDialog &w) { child<QRadioButton>(w, "Option3")->setFixedWidth(50); },
                    "Option3 \"Rightmost Reading\" is cut off"},
        PictureCase{"ButtonOutside",
                    [](QDialog &w) {
                        QPushButton *ok = child<QPushButton>(w, "Command1");
                        w.layout()->removeWidget(ok);
                        ok->move(w.width() - 10, 0);
                    },
                    "Command1 \"OK\" lies outside its parent"},
        PictureCase{"CaptionInTheBackgroundColour",
                    [](QDialog &w) {
                        QLabel *label = child<QLabel>(w, "Label3");
                        const QColor background = w.grab().toImage().pixelColor(label->geometry().topLeft());
                        QPalette palette = label->palette();
                        palette.setColor(QPalette::WindowText, background);
                        label->setPalette(palette);
                    },
                    "Label3 \"No. of readings to change:\" is not drawn"}),
    [](const ::testing::TestParamInfo<PictureCase> &testInfo) { return std::string(testInfo.param.name); });

TEST(WindowPictureDifference, CountsTheDifferingPixels)
{
    QImage a(4, 3, QImage::Format_RGB32);
    a.fill(Qt::white);
    QImage b = a;
    EXPECT_EQ(differingPixels(a, b), 0);
    b.setPixelColor(1, 2, Qt::black);
    b.setPixelColor(3, 0, Qt::red);
    EXPECT_EQ(differingPixels(a, b), 2);
    EXPECT_EQ(differingPixels(a, a.scaled(5, 3)), -1);
}

} // namespace
