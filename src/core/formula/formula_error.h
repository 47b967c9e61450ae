#pragma once

#include <string>

#include "support/errors.h"

namespace mervanta {

// Codes of formula faults: 41 to 50 while reading and parsing, 81 to 89 while computing. The
// number is what a cell shows.
enum class TFormulaErrorCode : int {
  None = 0,
  UnknownName = 41,
  BadCharacter = 42,
  UnmatchedClose = 43,
  UnclosedBracket = 44,
  UnclosedString = 45,
  Syntax = 46,
  BadNumber = 47,
  BadColumn = 48,
  TooFewArguments = 49,
  TooManyArguments = 50,
  OperationFailed = 81,
  CircularReference = 82,
  NoSuchColumn = 83,
  DivisionByZero = 84,
  NotConvertible = 85,
  Overflow = 86,
  Underflow = 87,
  IntegerOverflow = 88,
  InvalidOperation = 89,
};

// "<error 46>": what a cell shows for a formula fault.
std::string FormulaErrorText(TFormulaErrorCode code);

class EFormulaError : public EMervantaError {
 public:
  explicit EFormulaError(TFormulaErrorCode code);
  TFormulaErrorCode Code() const { return Code_; }

 private:
  TFormulaErrorCode Code_;
};

}  // namespace mervanta
