#include "model/table_options.h"

namespace mervanta {

TTableOptions::TTableOptions()
    : AllowEmpty(AddProperty<TBooleanProperty>("AllowEmpty", "Allow empty records", false)),
      NoEquals(AddProperty<TBooleanProperty>("NoEquals", "Prevent duplicate records", false)),
      InsertFirst(AddProperty<TBooleanProperty>(
          "InsertFirst", "Insert new records at the beginning of the list", false)),
      NoTrim(AddProperty<TBooleanProperty>("NoTrim", "Do not delete extreme blanks for values",
                                           false)),
      DenySort(AddProperty<TBooleanProperty>("DenySort", "Turn off sorting", false)) {}

}  // namespace mervanta
