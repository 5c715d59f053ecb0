// What a screen reader gets: each field's text as its value, the caption beside
// it as its label, and descriptions of the visible picture and the chart.

#include <QAccessible>
#include <QLabel>

#include "form1_fixture.h"
#include "ui/layout_table.h"

namespace vantora::ui::qt::testing {
namespace {

class Form1Accessibility : public Form1Fixture {
 protected:
  void SetUp() override {
    makeForm();
    form->events().Form_Load();
  }

  QAccessibleInterface* accessible(const char* name) { return QAccessible::queryAccessibleInterface(&control(name)); }
};

TEST_F(Form1Accessibility, FieldsReadTheirOwnTextAndAreLabelledByTheirCaption) {
  for (const CaptionPair& pair : kCaptionPairs) {
    SCOPED_TRACE(std::string(pair.field));
    if (pair.field == "List1") continue;  // below: an item view reports no label relation
    QAccessibleInterface* field = accessible(std::string(pair.field).c_str());
    ASSERT_NE(field, nullptr);
    if (auto* label = dynamic_cast<QLabel*>(&control(std::string(pair.field).c_str()))) {
      EXPECT_EQ(field->text(QAccessible::Name), label->text()) << "the value stays what is read";
    }
    bool labelled = false;
    for (const auto& [other, relation] : field->relations(QAccessible::Label)) {
      labelled = labelled || other->object() == &control(std::string(pair.caption).c_str());
    }
    EXPECT_TRUE(labelled);
  }
}

// The feature list is named by its caption; its lines are its items.
TEST_F(Form1Accessibility, FeatureListIsNamedByItsCaption) {
  QAccessibleInterface* list = accessible("List1");
  EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("属性"));
  ASSERT_GT(list->childCount(), 0);
}

TEST_F(Form1Accessibility, RefreshedValuesAreWhatIsRead) {
  EXPECT_EQ(accessible("lbSyu(0)")->text(QAccessible::Name), QStringLiteral("ハードディスク"));
  EXPECT_EQ(accessible("Label4")->text(QAccessible::Name), QStringLiteral("45.67 %"));
  EXPECT_EQ(accessible("lbPC(5)")->text(QAccessible::Name), QStringLiteral("PC01　ディスク情報"));
}

TEST_F(Form1Accessibility, PictureAndChartDescribeWhatTheyShow) {
  EXPECT_EQ(accessible("Image2")->text(QAccessible::Description), QStringLiteral("ハードディスク"));
  EXPECT_EQ(accessible("Image2")->role(), QAccessible::Graphic);
  EXPECT_EQ(accessible("MSChart1")->text(QAccessible::Description), QStringLiteral("使用 45.67 %"));
  form->events().Drive1_Change(1);
  EXPECT_EQ(accessible("MSChart1")->text(QAccessible::Description), QStringLiteral("使用 0 %"));
}

}  // namespace
}  // namespace vantora::ui::qt::testing
