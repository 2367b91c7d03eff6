// A memo stream: the text of one memo field of a data set's current record,
// read or written through the engine's memo stream of the data set's work
// area. Bytes are Windows-1252; the engine converts them from and to the
// table's code page.
//
// Modes: 0 reads the entry the record points at; 1 and 2 write a new entry
// (the engine never rewrites an entry in place, so nothing can be read in
// mode 2). The new entry's block reaches the record buffer only when the
// engine reports the close as successful; a failed close keeps the old block.
// A write stream that received no bytes leaves an empty memo (block 0).
#pragma once

#include <QIODevice>
#include <cstdint>

namespace pw {

// What a memo stream needs from the data set that made it.
class BlobStreamHost {
 public:
  virtual ~BlobStreamHost() = default;
  // Makes the data set's work area current for `operation`. When the data
  // set is not open it records 1103 ("DataSet must be active. " + name) and
  // returns false.
  virtual bool SelectForBlob(const char* operation) = 0;
  // Whether text moves between the table's OEM code page and ANSI.
  virtual bool BlobTranslates() const = 0;
  // The memo block of field `field` in the current record; 0 when the memo
  // is empty or there is no current record.
  virtual std::int32_t BlobReference(int field) const = 0;
  // A write stream on `field` closed successfully; `block` is the new entry,
  // or 0 when nothing was written. `mode` is the stream's mode (1 or 2).
  virtual void BlobWritten(int field, int mode, std::int32_t block) = 0;
};

class MemoStream : public QIODevice {
  Q_OBJECT

 public:
  static constexpr int kRead = 0;
  static constexpr int kWrite = 1;
  static constexpr int kReadWrite = 2;

  // Opens the stream at once; isOpen() tells whether that worked (the
  // engine's error state says why not).
  MemoStream(BlobStreamHost& host, int field, int mode, QObject* parent = nullptr);
  ~MemoStream() override;

  // Ends the engine's memo access and, for a write stream, hands the new
  // block to the host. Returns whether the memo was stored (always true for
  // a read stream that was open).
  bool Finish();

  void close() override;
  bool isSequential() const override { return false; }
  bool seek(qint64 pos) override;
  qint64 size() const override;
  int Mode() const { return mode_; }
  int Field() const { return field_; }

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char* data, qint64 maxSize) override;

 private:
  bool Open();

  BlobStreamHost& host_;
  int field_;
  int mode_;
  bool engineOpen_ = false;  // the engine holds a descriptor for this stream
  bool wrote_ = false;
  bool failed_ = false;  // a write failed: the old block stays
  std::int32_t block_ = 0;
};

}  // namespace pw
