// Linked with the whole of one layer and only the layers below it: a call from that layer to a
// layer above leaves a symbol undefined, and the link fails.
int main() { return 0; }
