#include "palvane/forms/forms.h"

#include "palvane/forms/form1.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/form3.h"
#include "palvane/forms/form4.h"
#include "palvane/forms/form5.h"

namespace palvane {

// The forms are never deleted: like the program's other state they live to its end, and
// the application closes their windows when it ends.

Form1* form1() {
  static Form1* const instance = new Form1;
  return instance;
}

Form2* form2() {
  static Form2* const instance = [] {
    auto* form = new Form2;
    form->Form_Load();
    return form;
  }();
  return instance;
}

Form3* form3() {
  static Form3* const instance = new Form3;
  return instance;
}

Form4* form4() {
  static Form4* const instance = new Form4;
  return instance;
}

Form5* form5() {
  static Form5* const instance = new Form5;
  return instance;
}

}  // namespace palvane
