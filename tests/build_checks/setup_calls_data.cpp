// A call from setup into data, linked with setup only: must not link.
#include "data/table_compress.h"

int main()
{
    return CompressTableFile(QString()) ? 0 : 1;
}
