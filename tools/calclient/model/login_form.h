// The test client's login dialog: a user name field and a password field. Enter in the user
// name moves to the password; Enter in the password completes the login. Enters after that
// are counted, as the real dialog would have closed by then.
#pragma once

#include <string>

namespace bw::calclient {

enum class LoginField { UserName, Password };

class LoginForm {
public:
  void Type(char c);  // a character in the focused field; control characters are ignored
  void Backspace();
  void Enter();
  void Focus(LoginField field) { field_ = field; }

  LoginField Focused() const { return field_; }
  const std::string& UserName() const { return user_; }
  const std::string& Password() const { return password_; }
  bool LoggedIn() const { return loggedIn_; }
  int EntersAfterLogin() const { return entersAfterLogin_; }

private:
  std::string& Field() { return field_ == LoginField::UserName ? user_ : password_; }

  LoginField field_ = LoginField::UserName;
  std::string user_;
  std::string password_;
  bool loggedIn_ = false;
  int entersAfterLogin_ = 0;
};

}  // namespace bw::calclient
