#include "startup/ASLoginStartItem.h"

ASLoginStartItem::ASLoginStartItem() : date(QDateTime::currentDateTime()) {}
