// Documents: the drawings open in the host, one of them current.
#pragma once

#include "tz_export.h"
#include "tz_status.h"
#include "tz_string.h"

TZAD_SDK_BEGIN

class TzDbDatabase;

class TzApDocument {
 public:
  virtual ~TzApDocument() = default;
  // The drawing's full path; empty for a new drawing never saved.
  virtual const char16_t* fileName() const = 0;
  virtual TzDbDatabase* database() const = 0;
  // The name shown for the drawing ("plan.dxf", "Drawing1.dxf").
  virtual TzString docTitle() const = 0;
};

class TzApDocumentIterator {
 public:
  virtual ~TzApDocumentIterator() = default;
  virtual bool done() const = 0;
  virtual void step() = 0;
  virtual TzApDocument* document() const = 0;
};

class TzApDocManager {
 public:
  virtual ~TzApDocManager() = default;
  virtual TzApDocument* curDocument() const = 0;
  virtual TzApDocument* mdiActiveDocument() const = 0;
  virtual int documentCount() const = 0;
  // The iterator is the caller's to delete.
  virtual TzApDocumentIterator* newTzApDocumentIterator() = 0;
  // Makes a document current; 0 on success.
  virtual Tzad::ErrorStatus activateDocument(TzApDocument* doc) = 0;
  // Opens a drawing file as a new document and makes it current; 0 on success.
  virtual Tzad::ErrorStatus appOpenDocument(const char16_t* fileName) = 0;
};

TzApDocManager* tzDocManagerPtr();

TZAD_SDK_END
