# Sourced by the release checks: a throwaway self-signed code-signing certificate.
# make_test_certificate DIR: writes its key and certificate to DIR/key.pem and DIR/cert.pem.
make_test_certificate() {
    openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes \
        -subj "/CN=Quillon Tools test signing" -addext "extendedKeyUsage=codeSigning" \
        -keyout "$1/key.pem" -out "$1/cert.pem" 2>/dev/null
}
