// Linked with one layer's whole archive and the layers below it only: if it
// links, the layer calls nothing above it.
int main() { return 0; }
