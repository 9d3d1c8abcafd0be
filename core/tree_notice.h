// Passing a notice through a schedule's object tree: each node hands it on to
// its neighbours except the one it came from (the transmitter), beside the
// notification protocol of observable.h.
#pragma once

#include "core/observable.h"

#include <QString>

// A node of a schedule's object tree: passes a notice on to its neighbours
// except the one it came from (the transmitter).
class ISCTreeNode {
public:
    virtual void DataChanged(TObject* ASender, TObject* ATransmiter, const QString& AValueName) = 0;

protected:
    ~ISCTreeNode() = default;
};

// Passes a notice to ANode unless it is the transmitter. Typed, so no cast
// runs per hop: a notice crosses the whole tree.
template <class TNode>
inline void SCPassOn(TNode* ANode, TObject* ASender, TObject* ATransmiter, TObject* AFrom, const QString& AValueName)
{
    if (!ANode || static_cast<TObject*>(ANode) == ATransmiter)
        return;
    ANode->DataChanged(ASender, AFrom, AValueName);
}

// A neighbour known only as an object, with its node side looked up once.
class TSCTreeLink {
public:
    void Set(TObject* AObject)
    {
        FObject = AObject;
        FNode = dynamic_cast<ISCTreeNode*>(AObject);
    }
    TObject* Object() const { return FObject; }
    void PassOn(TObject* ASender, TObject* ATransmiter, TObject* AFrom, const QString& AValueName) const
    {
        if (FNode && FObject != ATransmiter)
            FNode->DataChanged(ASender, AFrom, AValueName);
    }

private:
    TObject* FObject = nullptr;
    ISCTreeNode* FNode = nullptr;
};
