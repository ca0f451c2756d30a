// A program whose only version information is its fixed record.
int main() { return 0; }
