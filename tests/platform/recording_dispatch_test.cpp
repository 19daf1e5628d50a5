#include "platform/automation/recording_dispatch.h"

#include <gtest/gtest.h>

namespace tarnix::automation {

TEST(RecordingDispatchTest, LogsEveryCallInOrderAndFailsWhereTold) {
  RecordingFactory factory;
  factory.log->failing.insert(494);
  DispatchPtr app = factory.Create("Excel.Application");
  DispatchPtr books = AsObject(Get(app, 572));
  DispatchPtr book = AsObject(Call(books, 181, {Missing{}}));
  EXPECT_TRUE(IsEmpty(Get(book, 494)));
  DispatchPtr sheets = AsObject(Get(book, 494));
  EXPECT_EQ(sheets, nullptr);
  EXPECT_FALSE(Put(sheets, 242, std::int32_t{9}));  // a call on a missing object does nothing
  Put(app, 170, {std::int32_t{1}, std::int32_t{2}}, std::string("深度\nm"));
  Put(app, 141, 11.0);
  EXPECT_EQ(factory.log->lines,
            (std::vector<std::string>{"create Excel.Application", "app.get 572()", "app.572.call 181(<missing>)",
                                      "app.572.181.get 494()", "app.572.181.get 494()",
                                      "app.put 170(1, 2) = \"深度\nm\"", "app.put 141() = 11.0"}));
}

TEST(RecordingDispatchTest, ValuesConvertAsLateBindingDoes) {
  std::int32_t i = 0;
  double d = 0;
  bool b = false;
  std::string s;
  EXPECT_TRUE(ToInt(Variant(true), i));
  EXPECT_EQ(i, -1);
  EXPECT_TRUE(ToDouble(Variant(std::int32_t{10}), d));
  EXPECT_EQ(d, 10.0);
  EXPECT_TRUE(ToBool(Variant(std::int32_t{0}), b));
  EXPECT_FALSE(b);
  EXPECT_FALSE(ToText(Variant(std::int32_t{1}), s));
  EXPECT_FALSE(ToInt(Variant(Missing{}), i));
}

}  // namespace tarnix::automation
