#include "login_form.h"

namespace bw::calclient {

void LoginForm::Type(char c) {
  if (loggedIn_ || static_cast<unsigned char>(c) < 0x20) return;
  Field().push_back(c);
}

void LoginForm::Backspace() {
  if (!loggedIn_ && !Field().empty()) Field().pop_back();
}

void LoginForm::Enter() {
  if (loggedIn_) {
    ++entersAfterLogin_;
  } else if (field_ == LoginField::UserName) {
    field_ = LoginField::Password;
  } else {
    loggedIn_ = true;
  }
}

}  // namespace bw::calclient
