#pragma once

#include <string>

#include "support/errors.h"

namespace mervanta {

// Codes of formula faults: 41 to 50 while reading and parsing, 81 to 89 while computing.
enum TFormulaErrorCode : int {
  feUnknownName = 41,
  feBadCharacter = 42,
  feUnmatchedClose = 43,
  feUnclosedBracket = 44,
  feUnclosedString = 45,
  feSyntax = 46,
  feBadNumber = 47,
  feBadColumn = 48,
  feTooFewArguments = 49,
  feTooManyArguments = 50,
  feOperationFailed = 81,
  feCircularReference = 82,
  feNoSuchColumn = 83,
  feDivisionByZero = 84,
  feNotConvertible = 85,
  feOverflow = 86,
  feUnderflow = 87,
  feIntegerOverflow = 88,
  feInvalidOperation = 89,
};

// "<error 46>": what a cell shows for a formula fault.
std::string FormulaErrorText(int code);

class EFormulaError : public EMervantaError {
 public:
  explicit EFormulaError(int code);
  int Code() const { return Code_; }

 private:
  int Code_;
};

}  // namespace mervanta
