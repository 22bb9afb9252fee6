// Placeholder: replaced by the language file generator.
int main()
{
    return 0;
}
