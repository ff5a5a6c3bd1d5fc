// Expands a JSON-LD document (a file, or standard input) with the jsonld package, the schema.org
// context served from the local copy beside this script, and prints the expanded document.
// Fails (exit 1, the reason on stderr) on any processing error, and on any property or type
// that is not a term of the schema.org vocabulary.
import { readFileSync } from 'node:fs';
import jsonld from 'jsonld';

const contextDocument = JSON.parse(
  readFileSync(new URL('./schemaorg-context.jsonld', import.meta.url), 'utf8'));
const schemaTerms = new Set(
  Object.entries(contextDocument['@context'])
    .filter(([, v]) => typeof v === 'object' && String(v['@id']).startsWith('schema:'))
    .map(([k]) => k));

// The addresses a processor may ask for the context by; the machine may not reach the web.
const contextUrls = new Set([
  'http://schema.org', 'http://schema.org/', 'https://schema.org', 'https://schema.org/',
  'https://schema.org/docs/jsonldcontext.json', 'https://schema.org/docs/jsonldcontext.jsonld',
]);
const documentLoader = async (url) => {
  if (contextUrls.has(url))
    return { contextUrl: null, documentUrl: url, document: contextDocument };
  throw new Error(`no document is served for ${url}`);
};

// A schema.org term by its expanded IRI: properties begin with a lower-case letter, types with
// an upper-case one.
function schemaTerm(iri, what) {
  const m = /^https?:\/\/schema\.org\/(.+)$/.exec(iri);
  const upper = what === 'type';
  if (!m || !schemaTerms.has(m[1]) || (m[1][0] === m[1][0].toUpperCase()) !== upper)
    throw new Error(`${iri} is no schema.org ${what}`);
}

function check(value) {
  if (Array.isArray(value)) {
    value.forEach(check);
    return;
  }
  if (value === null || typeof value !== 'object')
    return;
  for (const [key, v] of Object.entries(value)) {
    if (key === '@type' && !('@value' in value))
      [].concat(v).forEach((t) => schemaTerm(t, 'type'));
    else if (!key.startsWith('@'))
      schemaTerm(key, 'property');
    check(v);
  }
}

const path = process.argv[2];
const text = readFileSync(path && path !== '-' ? path : 0, 'utf8');
try {
  const expanded = await jsonld.expand(JSON.parse(text), {
    documentLoader,
    base: 'https://example.org/report.html',
    safe: true,
  });
  check(expanded);
  process.stdout.write(JSON.stringify(expanded, null, 1) + '\n');
} catch (e) {
  process.stderr.write(`expand-jsonld: ${e.message}${e.details ? ' ' + JSON.stringify(e.details) : ''}\n`);
  process.exit(1);
}
