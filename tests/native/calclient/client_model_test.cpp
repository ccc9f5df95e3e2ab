#include <gtest/gtest.h>

#include "../../../tools/calclient/model/client_options.h"
#include "../../../tools/calclient/model/login_form.h"
#include "../../../tools/calclient/model/state_report.h"

namespace bw::calclient {
namespace {

TEST(LoginForm, EnterMovesToThePasswordThenLogsOn) {
  LoginForm form;
  for (const char c : std::string("SUPER")) form.Type(c);
  form.Enter();
  EXPECT_EQ(form.Focused(), LoginField::Password);
  for (const char c : std::string("pw!x")) form.Type(c);
  form.Backspace();
  form.Type('\t');  // control characters are not text
  EXPECT_FALSE(form.LoggedIn());
  form.Enter();
  EXPECT_TRUE(form.LoggedIn());
  form.Type('z');
  form.Enter();
  form.Enter();
  EXPECT_EQ(form.UserName(), "SUPER");
  EXPECT_EQ(form.Password(), "pw!");
  EXPECT_EQ(form.EntersAfterLogin(), 2);
}

TEST(ClientOptions, SwitchesAndOneBasedPositions) {
  std::string error;
  const auto options = ParseClientOptions(
      {"/subform", "/login", "/logall", "/text=c:\\t.txt", "/caret=2,5", "/anchor=1,1", "/caption=Form", "/state=s",
       "/log=l"},
      error);
  ASSERT_TRUE(options.has_value()) << error;
  EXPECT_TRUE(options->subform && options->login && options->logAll);
  EXPECT_EQ(options->textFile, "c:\\t.txt");
  EXPECT_EQ(options->caret, (Position{1, 4}));
  EXPECT_EQ(options->anchor, (Position{0, 0}));
  EXPECT_EQ(options->caption, "Form");
  EXPECT_EQ(options->stateFile, "s");
  EXPECT_EQ(options->logFile, "l");
  const auto plain = ParseClientOptions({}, error);
  ASSERT_TRUE(plain.has_value());
  EXPECT_EQ(plain->caption, kDefaultEditorCaption);
  EXPECT_FALSE(plain->caret.has_value());
  // Started by Brackwater: the real client's argument text, split at blanks, is taken as it came.
  const auto started = ParseClientOptions(
      {"id=C:\\Zup\\Dev(1024x768).zup,servername=SQL1,database=Demo", "Database,ntauthentication=0", "/log=l"},
      error);
  ASSERT_TRUE(started.has_value()) << error;
  EXPECT_EQ(started->clientArguments,
            "id=C:\\Zup\\Dev(1024x768).zup,servername=SQL1,database=Demo Database,ntauthentication=0");
  EXPECT_EQ(started->logFile, "l");
}

TEST(ClientOptions, RefusesWhatItDoesNotKnow) {
  for (const std::vector<std::string>& wrong :
       {std::vector<std::string>{"/caret=0,1"}, {"/caret=1"}, {"/caret=a,b"}, {"/caret=1,2x"}, {"/text="},
        {"/subform=yes"}, {""}, {"/unknown"}}) {
    std::string error;
    EXPECT_FALSE(ParseClientOptions(wrong, error).has_value()) << wrong[0];
    EXPECT_FALSE(error.empty());
  }
}

TEST(StateReport, ListsTheTextSelectionAndLogin) {
  EditorModel editor;
  editor.SetText("ab\r\ncd");
  editor.Place({1, 1}, Position{0, 1});
  LoginForm login;
  login.Type('u');
  ClientState state;
  state.sequence = 7;
  state.mode = "editor";
  state.caretX = 12;
  state.caretY = 16;
  state.commandLine = "\"C:\\Nav\\finsql.exe\" id=C:\\Zup\\Dev(1x1).zup,database=Demo\r\n";
  const std::string report = FormatState(state, editor, login);
  for (const char* line : {"sequence=7\r\n", "mode=editor\r\n", "caret=2,2\r\n", "anchor=1,2\r\n",
                           "caret_point=12,16\r\n", "login=pending\r\n", "login_user=u\r\n", "lines=2\r\n",
                           "text=ab\r\ntext=cd\r\n", "selected=b\r\nselected=c\r\n",
                           "command_line=\"C:\\Nav\\finsql.exe\" id=C:\\Zup\\Dev(1x1).zup,database=Demo  \r\n"})
    EXPECT_NE(report.find(line), std::string::npos) << line;
  EXPECT_TRUE(report.ends_with("end=1\r\n"));
}

}  // namespace
}  // namespace bw::calclient
