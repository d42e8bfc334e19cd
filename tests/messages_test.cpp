#include <string>

#include "system/texts.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::CoreTest;

TEST_F(CoreTest, MessagesAndQuestionsReachTheInstalledSink) {
    showMessageF(texts::kCaptionError, "%d비트 TGA 파일은 지원하지 않습니다.", 16);
    recorder.answer = true;
    EXPECT_TRUE(askYesNo(texts::kCaptionNotice, texts::kAskOverwrite));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].caption, "오류");
    EXPECT_EQ(recorder.messages[0].text, "16비트 TGA 파일은 지원하지 않습니다.");
    ASSERT_EQ(recorder.questions.size(), 1u);
    EXPECT_EQ(recorder.questions[0].caption, "알림");
    EXPECT_EQ(recorder.questions[0].text, "기존의 파일을 덮어쓰시겠습니까?");
}

TEST_F(CoreTest, LongFormattedMessagesAreNotCut) {
    const std::string path(600, 'p');
    showMessageF(texts::kCaptionError, "%s 없음", path.c_str());
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, path + " 없음");
}

TEST(MessageSinkDefault, AnswersNoAndScopedSinksRestoreThePreviousOne) {
    MessageSink* before = setMessageSink(nullptr);
    EXPECT_FALSE(askYesNo("알림", "?"));  // the default sink never agrees to overwrite
    {
        test::MessageRecorder inner;
        inner.answer = true;
        ScopedMessageSink scope(inner);
        EXPECT_TRUE(askYesNo("알림", "?"));
    }
    EXPECT_FALSE(askYesNo("알림", "?"));
    setMessageSink(before);
}

}  // namespace
}  // namespace zentil
