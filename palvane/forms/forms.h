#pragma once

namespace palvane {

class Form1;
class Form2;
class Form3;
class Form4;
class Form5;

// The one instance of each form, created on first use and kept until the program ends;
// afterwards forms are only shown and hidden, so a hidden form keeps its state.
// The spectrum form runs its Form_Load when it is created.
Form1* form1();
Form2* form2();
Form3* form3();
Form4* form4();
Form5* form5();

}  // namespace palvane
