// Compiled by the tests with QM_PROBE set: 0 must compile, every other value must be refused with
// the definition check's own message.
#include "api_table/definition.h"

bool Probe(MediaItem* item, char* nameOut, int nameOut_sz, double value) noexcept;
bool ProbeThrowing(MediaItem* item) noexcept(false);

#if QM_PROBE == 0  // right, with REAPER's "Mediaitem*" spelling
QM_DEFINITION_TEXT(Probe, "bool", "Mediaitem*,char*,int,double", "item,nameOut,nameOut_sz,value",
                   "[QM:API]Probe")
#elif QM_PROBE == 1  // wrong return type
QM_DEFINITION_TEXT(Probe, "MediaItem*", "MediaItem*,char*,int,double",
                   "item,nameOut,nameOut_sz,value", "[QM:API]Probe")
#elif QM_PROBE == 2  // wrong parameter type
QM_DEFINITION_TEXT(Probe, "bool", "MediaItem*,char*,int,int", "item,nameOut,nameOut_sz,value",
                   "[QM:API]Probe")
#elif QM_PROBE == 3  // a parameter missing
QM_DEFINITION_TEXT(Probe, "bool", "MediaItem*,char*,int", "item,nameOut,nameOut_sz",
                   "[QM:API]Probe")
#elif QM_PROBE == 4  // a name missing
QM_DEFINITION_TEXT(Probe, "bool", "MediaItem*,char*,int,double", "item,nameOut,nameOut_sz",
                   "[QM:API]Probe")
#elif QM_PROBE == 5  // an output REAPER would not recognise
QM_DEFINITION_TEXT(Probe, "bool", "MediaItem*,char*,int,double", "item,name,name_sz,value",
                   "[QM:API]Probe")
#elif QM_PROBE == 6  // a buffer whose size is not named after it
QM_DEFINITION_TEXT(Probe, "bool", "MediaItem*,char*,int,double", "item,nameOut,size,value",
                   "[QM:API]Probe")
#elif QM_PROBE == 7  // a help text without the API's mark
QM_DEFINITION_TEXT(Probe, "bool", "MediaItem*,char*,int,double", "item,nameOut,nameOut_sz,value",
                   "Probe")
#elif QM_PROBE == 8  // a function that may throw
QM_DEFINITION_TEXT(ProbeThrowing, "bool", "MediaItem*", "item", "[QM:API]Probe")
#endif
