// Field objects of the record set: each reads and writes one field's slot in
// the record set's active record buffer (tz_record_buffer.h) with the
// conversions of its type.
#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <memory>

#include "dataset/tz_record_buffer.h"

namespace pw {

class TTzPrimDataset;

class TTzField {
 public:
  TTzField(TTzPrimDataset& dataSet, int fieldNo);
  virtual ~TTzField() = default;
  TTzField(const TTzField&) = delete;
  TTzField& operator=(const TTzField&) = delete;

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
  virtual bool IsNullIn(const TzRecordBuffer&) const { return false; }
  // The typed value; an invalid QVariant when null.
  virtual QVariant ValueIn(const TzRecordBuffer& buffer) const = 0;
  virtual QString TextIn(const TzRecordBuffer& buffer) const;
  // Raises "Dataset not in edit or insert mode" or "Field '%s' cannot be
  // modified" when the record set refuses the change.
  virtual void SetValue(const QVariant& value) = 0;
  virtual void SetAsString(const QString& text);
  void Clear() { SetValue(QVariant()); }

 protected:
  const TDbfFieldProp& Prop() const;
  const TzRecordBuffer& ActiveBuffer() const;
  const unsigned char* SlotIn(const TzRecordBuffer& buffer) const;
  // The slot for a change; Changed() after writing it.
  unsigned char* SlotForWrite();
  void Changed();
  void SetSizeChecked(int size, int limit);

 private:
  TTzPrimDataset& dataSet_;
  int fieldNo_;
  int size_;
  bool readOnly_ = false;
};

// C fields: the text without trailing blanks; written back padded.
class TTzStringField : public TTzField {
 public:
  using TTzField::TTzField;
  QVariant ValueIn(const TzRecordBuffer& buffer) const override;
  void SetValue(const QVariant& value) override;
};

// D fields. The text is the date in the process-wide short date format;
// the engine's blank-date text sets no value.
class TTzDateField : public TTzField {
 public:
  using TTzField::TTzField;
  bool IsNullIn(const TzRecordBuffer& buffer) const override;
  QVariant ValueIn(const TzRecordBuffer& buffer) const override;
  void SetValue(const QVariant& value) override;
  QString TextIn(const TzRecordBuffer& buffer) const override;
  // Raises "'%s' is not a valid date" for a text that is neither a date of
  // the engine's format nor its blank-date text.
  void SetAsString(const QString& text) override;
  QDate AsDate() const { return Value().toDate(); }
};

// N and F fields with decimals; the size (field width) may be 0 to 20.
class TTzFloatField : public TTzField {
 public:
  TTzFloatField(TTzPrimDataset& dataSet, int fieldNo);
  QVariant ValueIn(const TzRecordBuffer& buffer) const override;
  void SetValue(const QVariant& value) override;
  void SetSize(int size) { SetSizeChecked(size, 20); }
};

// N and F fields without decimals; the size (field width) may be 0 to 20.
class TTzIntegerField : public TTzField {
 public:
  TTzIntegerField(TTzPrimDataset& dataSet, int fieldNo);
  QVariant ValueIn(const TzRecordBuffer& buffer) const override;
  void SetValue(const QVariant& value) override;
  void SetSize(int size) { SetSizeChecked(size, 20); }
};

// L fields: the logical character T or F.
class TTzBooleanField : public TTzField {
 public:
  using TTzField::TTzField;
  QVariant ValueIn(const TzRecordBuffer& buffer) const override;
  void SetValue(const QVariant& value) override;
  QString TextIn(const TzRecordBuffer& buffer) const override;
};

// M fields: the memo block; the text moves through memo streams.
class TTzMemoField : public TTzField {
 public:
  using TTzField::TTzField;
  QVariant ValueIn(const TzRecordBuffer& buffer) const override;
  void SetValue(const QVariant& value) override;
};

// The field object for field `fieldNo` of the record set's table.
std::unique_ptr<TTzField> MakeTzField(TTzPrimDataset& dataSet, int fieldNo);

}  // namespace pw
