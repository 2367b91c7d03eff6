// Field objects of the record set: each reads and writes one field's slot in
// the record set's active record buffer (record_layout.h) with the
// conversions of its type.
#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <memory>

#include "dataset/record_layout.h"

namespace pw {

class RecordSet;

class RecordField {
 public:
  RecordField(RecordSet& dataSet, int fieldNo);
  virtual ~RecordField() = default;
  RecordField(const RecordField&) = delete;
  RecordField& operator=(const RecordField&) = delete;

  // The field's index in the table (from 0).
  int FieldNo() const { return fieldNo_; }
  const QString& FieldName() const { return Prop().name; }
  QString DisplayName() const { return FieldName(); }
  char DataType() const { return Prop().type; }
  int Size() const { return size_; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

  // The value in the active record buffer.
  bool IsNull() const { return IsNullIn(ActiveBuffer()); }
  QVariant Value() const { return ValueIn(ActiveBuffer()); }
  QString AsString() const { return TextIn(ActiveBuffer()); }
  // The value in another buffer of the same layout (rows of a grid).
  virtual bool IsNullIn(const RecordBuffer&) const { return false; }
  // The typed value; an invalid QVariant when null.
  virtual QVariant ValueIn(const RecordBuffer& buffer) const = 0;
  virtual QString TextIn(const RecordBuffer& buffer) const;
  // Raises "Dataset not in edit or insert mode" or "Field '%s' cannot be
  // modified" when the record set refuses the change.
  virtual void SetValue(const QVariant& value) = 0;
  virtual void SetAsString(const QString& text);
  void Clear() { SetValue(QVariant()); }

 protected:
  const DbfFieldProperty& Prop() const;
  const RecordBuffer& ActiveBuffer() const;
  const unsigned char* SlotIn(const RecordBuffer& buffer) const;
  // The slot for a change; Changed() after writing it.
  unsigned char* SlotForWrite();
  void Changed();
  void SetSizeChecked(int size, int limit);

 private:
  RecordSet& dataSet_;
  int fieldNo_;
  int size_;
  bool readOnly_ = false;
};

// C fields: the text without trailing blanks; written back padded.
class TextField : public RecordField {
 public:
  using RecordField::RecordField;
  QVariant ValueIn(const RecordBuffer& buffer) const override;
  void SetValue(const QVariant& value) override;
};

// D fields. The text is the date in the process-wide short date format;
// the engine's blank-date text sets no value.
class DateField : public RecordField {
 public:
  using RecordField::RecordField;
  bool IsNullIn(const RecordBuffer& buffer) const override;
  QVariant ValueIn(const RecordBuffer& buffer) const override;
  void SetValue(const QVariant& value) override;
  QString TextIn(const RecordBuffer& buffer) const override;
  // Raises "'%s' is not a valid date" for a text that is neither a date of
  // the engine's format nor its blank-date text.
  void SetAsString(const QString& text) override;
  QDate AsDate() const { return Value().toDate(); }
};

// N and F fields with decimals; the size (field width) may be 0 to 20.
class FloatField : public RecordField {
 public:
  FloatField(RecordSet& dataSet, int fieldNo);
  QVariant ValueIn(const RecordBuffer& buffer) const override;
  void SetValue(const QVariant& value) override;
  void SetSize(int size) { SetSizeChecked(size, 20); }
};

// N and F fields without decimals; the size (field width) may be 0 to 20.
class IntegerField : public RecordField {
 public:
  IntegerField(RecordSet& dataSet, int fieldNo);
  QVariant ValueIn(const RecordBuffer& buffer) const override;
  void SetValue(const QVariant& value) override;
  void SetSize(int size) { SetSizeChecked(size, 20); }
};

// L fields: the logical character T or F.
class BooleanField : public RecordField {
 public:
  using RecordField::RecordField;
  QVariant ValueIn(const RecordBuffer& buffer) const override;
  void SetValue(const QVariant& value) override;
  QString TextIn(const RecordBuffer& buffer) const override;
};

// M fields: the memo block; the text moves through memo streams.
class MemoField : public RecordField {
 public:
  using RecordField::RecordField;
  QVariant ValueIn(const RecordBuffer& buffer) const override;
  void SetValue(const QVariant& value) override;
};

// The field object for field `fieldNo` of the record set's table.
std::unique_ptr<RecordField> MakeTzField(RecordSet& dataSet, int fieldNo);

}  // namespace pw
