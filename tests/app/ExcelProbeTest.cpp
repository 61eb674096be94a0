// The probe for the spreadsheet application that the main window runs first.
#include "ExcelProbe.h"

#include "MessageBox.h"
#include "WorkbookTestSupport.h"

#include <gtest/gtest.h>

#include <QMessageBox>

namespace {

// Collects the message boxes shown while alive instead of running them.
class BoxRecorder {
public:
    struct Box {
        QString text, title;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };
    BoxRecorder()
    {
        previous_ = platform::MessageBox::setResponder([this](QMessageBox& box) {
            boxes.push_back({box.text(), box.windowTitle(), box.icon(), box.standardButtons()});
        });
    }
    ~BoxRecorder() { platform::MessageBox::setResponder(previous_); }
    std::vector<Box> boxes;

private:
    platform::MessageBox::Responder previous_;
};

}  // namespace

TEST(ExcelProbeTest, IsExcelInstalledFindsTheProgramSilently)
{
    SofficeStandIn standIn;
    BoxRecorder recorder;
    EXPECT_TRUE(IsExcelInstalled());
    EXPECT_TRUE(recorder.boxes.empty());
    EXPECT_TRUE(standIn.waitForStarts(1, 500).empty());  // probed, never started
}

TEST(ExcelProbeTest, IsExcelInstalledTellsTheUserWhenTheProgramIsMissing)
{
    QTemporaryDir empty;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(empty.path()));
    BoxRecorder recorder;
    const bool installed = IsExcelInstalled();
    qputenv("PATH", path);

    EXPECT_FALSE(installed);
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text, "Microsoft Excelがインストールされていません。");
    EXPECT_EQ(recorder.boxes[0].title, "Tablinor");
    EXPECT_EQ(recorder.boxes[0].icon, QMessageBox::Critical);
    EXPECT_EQ(recorder.boxes[0].buttons, QMessageBox::Ok);
}
